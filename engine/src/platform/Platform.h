// The few services the engine needs from the operating system, behind one
// small interface; the implementation is chosen by the build.
#pragma once

#include <cstdint>
#include <string>

namespace zp::platform {

// Microseconds from a monotonic clock (never goes backwards, unaffected by
// wall-clock changes).
std::int64_t monotonicMicroseconds();
// The operating system's own sleep; it may overshoot by a millisecond or more.
void sleepMicroseconds(std::int64_t duration_us);
// True when a window can be opened: on X11, a display server answers.
bool displayAvailable();
// Ask for (and release) a fine system timer resolution around the game's run.
void beginTimerResolution();
void endTimerResolution();

// The absolute path of the running program's executable, links resolved;
// empty when the system cannot tell.
std::string executablePath();
// Sets a variable of the program's own environment, for the libraries it
// starts later.
void setEnvironment(const char* name, const char* value);

// Waits until the monotonic clock reaches the deadline: sleeps until shortly
// before it, then waits out the rest precisely. The same on every system.
void sleepUntil(std::int64_t deadline_us);

} // namespace zp::platform
