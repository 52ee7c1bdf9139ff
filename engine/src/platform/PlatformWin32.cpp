#include "platform/Platform.h"

#include <windows.h>

#include <timeapi.h>

namespace zp::platform {
namespace {

constexpr std::int64_t SPIN_MARGIN_US = 1500;

} // namespace

std::int64_t monotonicMicroseconds()
{
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return std::int64_t(counter.QuadPart / frequency * 1000000 + counter.QuadPart % frequency * 1000000 / frequency);
}

void sleepUntil(std::int64_t deadline_us)
{
    std::int64_t remaining = deadline_us - monotonicMicroseconds();
    if (remaining > SPIN_MARGIN_US)
        Sleep(DWORD((remaining - SPIN_MARGIN_US) / 1000));
    while (monotonicMicroseconds() < deadline_us)
        Sleep(0);
}

void sleepMilliseconds(int ms)
{
    if (ms > 0)
        sleepUntil(monotonicMicroseconds() + std::int64_t(ms) * 1000);
}

void beginTimerResolution()
{
    timeBeginPeriod(1);
}

void endTimerResolution()
{
    timeEndPeriod(1);
}

} // namespace zp::platform
