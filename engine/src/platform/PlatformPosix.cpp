#include "platform/Platform.h"

#include <chrono>
#include <thread>

namespace zp::platform {
namespace {

using SteadyClock = std::chrono::steady_clock;
static_assert(SteadyClock::is_steady, "the frame clock must be monotonic");

// A sleep can overshoot by a millisecond or more on a loaded machine, so the
// last stretch before a deadline is waited out by yielding.
constexpr std::int64_t SPIN_MARGIN_US = 1500;

} // namespace

std::int64_t monotonicMicroseconds()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(SteadyClock::now().time_since_epoch())
        .count();
}

void sleepUntil(std::int64_t deadline_us)
{
    std::int64_t remaining = deadline_us - monotonicMicroseconds();
    if (remaining > SPIN_MARGIN_US)
        std::this_thread::sleep_for(std::chrono::microseconds(remaining - SPIN_MARGIN_US));
    while (monotonicMicroseconds() < deadline_us)
        std::this_thread::yield();
}

void sleepMilliseconds(int ms)
{
    if (ms > 0)
        sleepUntil(monotonicMicroseconds() + std::int64_t(ms) * 1000);
}

// POSIX sleeps already resolve far below a millisecond.
void beginTimerResolution() {}
void endTimerResolution() {}

} // namespace zp::platform
