#include "zp/Random.h"

namespace zp {
namespace {

const std::uint64_t GOLDEN_GAMMA = 0x9E3779B97F4A7C15ull;
// 53 bits fill a double's mantissa.
const int UNIT_BITS = 53;
const int PERCENT = 100;

} // namespace

Random::Random(std::uint64_t seed) : state(seed)
{
}

std::uint64_t Random::getState() const
{
    return state;
}

void Random::setState(std::uint64_t new_state)
{
    state = new_state;
}

std::uint64_t Random::next()
{
    std::uint64_t z = (state += GOLDEN_GAMMA);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t Random::uniform(std::uint64_t span)
{
    // Spans of int are at most 2^32: the modulo favours no number by more
    // than one part in 2^32.
    return next() % span;
}

int Random::below(int n)
{
    if (n < 1)
        return 0;
    return static_cast<int>(uniform(std::uint64_t(n)));
}

int Random::between(int low, int high)
{
    if (high < low)
        return low;
    const std::uint64_t span = std::uint64_t(std::int64_t(high) - std::int64_t(low)) + 1;
    return static_cast<int>(std::int64_t(low) + std::int64_t(uniform(span)));
}

double Random::unit()
{
    return double(next() >> (64 - UNIT_BITS)) / double(std::uint64_t(1) << UNIT_BITS);
}

bool Random::chance(int percent)
{
    return below(PERCENT) < percent;
}

} // namespace zp
