// Owns the program's life: starts every engine service in order, runs the
// fixed-rate game loop and shuts the services down again.
#pragma once

#include "zp/Manager.h"

namespace zp {

// Target length of one loop iteration in milliseconds.
const int FRAME_TIME_DEFAULT = 33;

class GameManager : public Manager {
public:
    static GameManager& getInstance();

    // Starts log, world, graphics, input and resources in that order; the
    // first failure stops the start-up with -1. From here on SIGINT and
    // SIGTERM end the loop cleanly, and losing the display ends the program
    // with a message of its own.
    int startUp() override;
    void shutDown() override;

    // Runs iterations paced at FRAME_TIME_DEFAULT until the game is over or
    // SIGINT or SIGTERM arrives (then logged).
    void run();
    // Performs exactly one loop iteration without sleeping; returns its
    // duration in milliseconds.
    long step();

    void setGameOver(bool new_game_over = true);
    bool getGameOver() const;
    int getFrameTime() const;
    // Number of loop iterations completed so far.
    int getStepCount() const;

private:
    GameManager();

    bool game_over = false;
    int step_count = 0;
};

} // namespace zp
