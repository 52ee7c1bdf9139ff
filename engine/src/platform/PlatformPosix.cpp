#include "platform/Platform.h"

#include <chrono>
#include <thread>

#include <X11/Xlib.h>

namespace zp::platform {
namespace {

using SteadyClock = std::chrono::steady_clock;
static_assert(SteadyClock::is_steady, "the frame clock must be monotonic");

} // namespace

std::int64_t monotonicMicroseconds()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(SteadyClock::now().time_since_epoch())
        .count();
}

void sleepMicroseconds(std::int64_t duration_us)
{
    if (duration_us > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(duration_us));
}

bool displayAvailable()
{
    // The windowing library aborts the program when it cannot reach the X
    // server, so the engine asks first.
    Display* p_display = XOpenDisplay(nullptr);
    if (p_display == nullptr)
        return false;
    XCloseDisplay(p_display);
    return true;
}

// POSIX sleeps already resolve far below a millisecond.
void beginTimerResolution()
{
}
void endTimerResolution()
{
}

} // namespace zp::platform
