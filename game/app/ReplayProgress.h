// The line that a long headless replay shows on a terminal: the step, how
// far through the recording, the steps per second and the time left,
// rewritten in place a few times a second.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// How often the line is rewritten.
const std::int64_t PROGRESS_INTERVAL_US = 250000;

class ReplayProgress {
public:
    // The replay runs from `first_step` to `end_step`, and the line goes to `p_out`.
    ReplayProgress(std::FILE* p_out, int first_step, int end_step);

    // After a frame, with the monotonic time in microseconds: rewrites the
    // line at the first call and then once PROGRESS_INTERVAL_US has passed.
    void update(int step, std::int64_t now_us);
    // Takes the line away, so that what follows starts on a clean line.
    void clear();
    // How many times the line was written.
    int getUpdates() const;

    // "replay: step 1200 of 3955 (30.3 %), 27112 steps/s, 0:00:00 left"
    static std::string text(int step, int first_step, int end_step, double steps_per_second);

private:
    std::FILE* p_out;
    int first_step;
    int end_step;
    std::int64_t start_us = -1;
    std::int64_t last_update_us = 0;
    int updates = 0;
};
