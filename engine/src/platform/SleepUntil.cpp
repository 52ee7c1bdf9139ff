#include "platform/Platform.h"

#include <thread>

namespace zp::platform {
namespace {

// A sleep can overshoot by a millisecond or more on a loaded machine, so the
// last stretch before a deadline is waited out by yielding.
constexpr std::int64_t SPIN_MARGIN_US = 1500;

} // namespace

void sleepUntil(std::int64_t deadline_us)
{
    const std::int64_t remaining = deadline_us - monotonicMicroseconds();
    if (remaining > SPIN_MARGIN_US)
        sleepMicroseconds(remaining - SPIN_MARGIN_US);
    while (monotonicMicroseconds() < deadline_us)
        std::this_thread::yield();
}

} // namespace zp::platform
