/// \file
/// A source of random numbers whose whole state is one 64-bit number
/// (splitmix64): the same state gives the same numbers on every machine.
/// The engine owns one (GameManager::getRandom), seeded anew at every
/// program start, and a recording takes its state down when recording
/// begins, so a replay draws the same numbers as the run it plays back.
#pragma once

#include <cstdint>

namespace zp {

class Random {
public:
    explicit Random(std::uint64_t seed = 0);

    /// The state: after setState(s) the numbers that follow are always the same.
    std::uint64_t getState() const;
    void setState(std::uint64_t new_state);

    /// 64 random bits.
    std::uint64_t next();
    /// Uniform in [0, n); 0 when n is below 1.
    int below(int n);
    /// Uniform in [low, high], both included; low when high is below low.
    int between(int low, int high);
    /// Uniform in [0, 1).
    double unit();
    /// True with the given chance in percent (0 never, 100 always).
    bool chance(int percent);

private:
    /// Uniform in [0, span); span from 1 to 2^32.
    std::uint64_t uniform(std::uint64_t span);

    std::uint64_t state;
};

} // namespace zp
