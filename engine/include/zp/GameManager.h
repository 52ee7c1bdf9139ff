/// \file
/// Owns the program's life: starts every engine service in order, runs the
/// fixed-rate game loop and shuts the services down again.
///
/// The loop is made of frames. A frame reads the input once, then runs the
/// world's steps (none while paused, getStepsPerFrame() otherwise), then draws
/// and shows the world once. A world step sends every object its step event,
/// updates the world and counts the step. So input read at the start of a
/// frame always arrives before the step events of step number getStepCount(),
/// and a game driven by the same input at the same step numbers goes through
/// the same states whatever its speed.
#pragma once

#include "zp/Manager.h"
#include "zp/Random.h"

#include <cstdint>
#include <deque>
#include <functional>

namespace zp {

/// Target length of one frame in milliseconds.
const int FRAME_TIME_DEFAULT = 33;
/// The most world steps one frame may run.
const int MAX_STEPS_PER_FRAME = 8;
/// A step limit that never stops the world.
const int NO_STEP_LIMIT = -1;
/// The program's exit status when the engine ends it because the connection
/// to the display was lost.
const int EXIT_DISPLAY_LOST = 1;

class GameManager : public Manager {
public:
    static GameManager& getInstance();

    /// Starts log, world, graphics, input and resources in that order; the
    /// first failure stops the start-up with -1. From here on SIGINT, SIGTERM
    /// and SIGHUP end the loop cleanly (between two input events, after the
    /// step under way), a write to a closed pipe fails instead of ending the
    /// program, and losing the display ends the program with a message of
    /// its own and EXIT_DISPLAY_LOST, the input recorder's recording
    /// finished and the log closed first.
    int startUp() override;
    void shutDown() override;

    /// Runs frames paced at FRAME_TIME_DEFAULT (or one after the other when
    /// unpaced) until the game is over or SIGINT, SIGTERM or SIGHUP arrives
    /// (then logged).
    void run();
    /// Called after every frame that run() performs: for what a program shows
    /// about its run (a progress line) beside the game, not in its world.
    /// An empty function (the default) calls nothing.
    void setAfterFrame(std::function<void()> new_after_frame);
    /// The stop signal that arrived (SIGINT, SIGTERM, SIGHUP), or 0.
    int getStopSignal() const;
    /// Performs exactly one frame without sleeping: input, the frame's world
    /// steps, drawing and showing. Returns its duration in milliseconds.
    long frame();
    /// One world step: a step event to every object (numbered getStepCount()),
    /// the world's update, and the step count goes up by one.
    void worldStep();

    /// Ends the loop after the current frame. That frame still runs its first
    /// world step, draws and shows, as every frame does; a faster frame runs
    /// no further steps.
    void setGameOver(bool new_game_over = true);
    bool getGameOver() const;
    int getFrameTime() const;
    /// Number of world steps completed so far.
    int getStepCount() const;

    /// While paused, frames still read input, draw and show, but the world
    /// stands still: no step events, no update, no step count, and sprite
    /// animations hold their frame.
    void setPaused(bool new_paused);
    bool isPaused() const;
    /// The game's speed: world steps per frame, 1 to MAX_STEPS_PER_FRAME; -1
    /// and no change for other values. Steps never grow, there are only more.
    int setStepsPerFrame(int new_steps_per_frame);
    int getStepsPerFrame() const;

    /// Paced (the default), run() waits out FRAME_TIME_DEFAULT per frame;
    /// unpaced it runs frames one after the other, as fast as they go.
    void setPaced(bool new_paced);
    bool isPaced() const;
    /// Fast-forward frames read input and run their world steps but neither
    /// draw nor show anything, and run() does not pace them: for catching up
    /// with a recorded game before it is shown (a saved game taken up
    /// again). The window keeps its last picture meanwhile.
    void setFastForward(bool new_fast_forward);
    bool isFastForward() const;
    /// No frame runs a world step once the step count has reached the limit:
    /// frames then still read input, draw and show, as while paused.
    /// NO_STEP_LIMIT (the default) lifts it.
    void setStepLimit(int new_step_limit);
    int getStepLimit() const;
    /// Before startUp: the game runs with no window (the graphics manager's
    /// headless mode), no sound from the audio device (the audio library's
    /// silent output, see ResourceManager::setSilent) and no pacing. The
    /// game's code is the same.
    void setHeadless(bool new_headless);

    /// How long the last world step took (its step events and the world's
    /// update), in microseconds; 0 before the first.
    std::int64_t getLastStepTime() const;
    /// World steps completed within the last second.
    int getStepsPerSecond() const;

    /// The engine's random numbers, seeded anew at every program start. Set
    /// its state for a game that goes the same way every time; a recording
    /// takes the state down when it begins, and its replay sets it again
    /// (InputManager::setRecorder, setReplayer).
    Random& getRandom();

private:
    GameManager();

    bool game_over = false;
    bool paused = false;
    int steps_per_frame = 1;
    int step_count = 0;
    bool paced = true;
    bool fast_forward = false;
    int step_limit = NO_STEP_LIMIT;
    std::int64_t last_step_us = 0;
    /// When each world step of the last second ended, oldest first.
    std::deque<std::int64_t> recent_step_ends;
    Random random;
    std::function<void()> after_frame;
};

} // namespace zp
