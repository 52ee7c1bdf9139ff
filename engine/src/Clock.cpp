#include "zp/Clock.h"

#include "platform/Platform.h"

namespace zp {
namespace {

TimeSource time_source = nullptr;

} // namespace

std::int64_t Clock::now()
{
    return time_source != nullptr ? time_source() : platform::monotonicMicroseconds();
}

void Clock::setTimeSource(TimeSource source)
{
    time_source = source;
}

Clock::Clock() : previous_time(now())
{
}

long Clock::delta()
{
    std::int64_t current = now();
    long elapsed = long(current - previous_time);
    previous_time = current;
    return elapsed;
}

long Clock::split() const
{
    return long(now() - previous_time);
}

} // namespace zp
