// Says the game is over and what it scored. R plays again, Q quits; with
// the autopilot on, the next game starts by itself after a few seconds.
#pragma once

#include "zp/Object.h"

class GameOverScreen : public zp::Object {
public:
    GameOverScreen(int score, bool autopilot);
    int eventHandler(const zp::Event* p_e) override;
    void draw() override;

private:
    void playAgain();

    int score;
    bool autopilot;
    bool leaving = false;
};
