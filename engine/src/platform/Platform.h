// The few services the engine needs from the operating system, behind one
// small interface; the implementation is chosen by the build.
#pragma once

#include <cstdint>

namespace zp::platform {

// Microseconds from a monotonic clock (never goes backwards, unaffected by
// wall-clock changes).
std::int64_t monotonicMicroseconds();
// Waits until the monotonic clock reaches the deadline: sleeps until shortly
// before it, then waits out the rest precisely.
void sleepUntil(std::int64_t deadline_us);
void sleepMilliseconds(int ms);
// Ask for (and release) a fine system timer resolution around the game's run.
void beginTimerResolution();
void endTimerResolution();

} // namespace zp::platform
