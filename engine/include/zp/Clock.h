/// \file
/// Measures intervals in microseconds for the game loop's frame timing.
/// Readings come from a monotonic source, so an interval is the true elapsed
/// time across any boundary of hour, day or wall-clock adjustment.
#pragma once

#include <cstdint>

namespace zp {

/// A source of monotonic time in microseconds; tests inject their own.
using TimeSource = std::int64_t (*)();

class Clock {
public:
    Clock();

    /// Microseconds since the last delta (or construction); restarts the clock.
    long delta();
    /// Microseconds since the last delta (or construction); does not restart.
    long split() const;

    /// Replaces the time source of every clock; nullptr restores the platform clock.
    static void setTimeSource(TimeSource source);

private:
    static std::int64_t now();

    std::int64_t previous_time;
};

} // namespace zp
