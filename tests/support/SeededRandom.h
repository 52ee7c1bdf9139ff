// splitmix64: the same numbers from the same seed on every machine, so random
// worlds and benchmark scenes are built alike in every run.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zp::test {

class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // In [0, n).
    int below(int n) { return int(next() % std::uint64_t(n)); }
    // Uniform in [low, high].
    int between(int low, int high)
    {
        const std::uint64_t span = std::uint64_t(std::int64_t(high) - low) + 1;
        return int(std::int64_t(low) + std::int64_t(next() % span));
    }
    bool chance(int percent) { return between(0, 99) < percent; }
    template <typename T, std::size_t N> const T& pick(const T (&choices)[N])
    {
        return choices[std::size_t(between(0, int(N) - 1))];
    }

private:
    std::uint64_t state;
};

} // namespace zp::test
