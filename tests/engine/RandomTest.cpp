#include "zp/Random.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

namespace {

TEST(Random, TheSameStateGivesTheSameNumbersOnEveryMachine)
{
    // splitmix64's published outputs from state 0.
    zp::Random random(0);
    EXPECT_EQ(random.next(), 0xe220a8397b1dcdafull);
    EXPECT_EQ(random.next(), 0x6e789e6aa1b965f4ull);
    EXPECT_EQ(random.next(), 0x06c45d188009454full);

    zp::Random a(12345);
    a.next();
    const std::uint64_t state = a.getState();
    std::vector<int> first;
    for (int i = 0; i < 20; ++i)
        first.push_back(a.between(-50, 50));
    zp::Random b(999);
    b.setState(state);
    std::vector<int> second;
    for (int i = 0; i < 20; ++i)
        second.push_back(b.between(-50, 50));
    EXPECT_EQ(first, second);
}

TEST(Random, RangesHoldTheirEndsAndReachEveryValue)
{
    zp::Random random(7);
    const struct {
        int low, high;
    } ranges[] = {{0, 0}, {1, 6}, {-3, 3}, {10, 11}, {-1, 0}};
    for (const auto& r : ranges) {
        std::vector<int> seen(std::size_t(r.high - r.low + 1), 0);
        for (int i = 0; i < 2000; ++i) {
            const int value = random.between(r.low, r.high);
            ASSERT_GE(value, r.low);
            ASSERT_LE(value, r.high);
            ++seen[std::size_t(value - r.low)];
        }
        for (std::size_t i = 0; i < seen.size(); ++i)
            EXPECT_GT(seen[i], 0) << r.low + int(i) << " of [" << r.low << ", " << r.high << "] never came";
    }
    for (int i = 0; i < 100; ++i) {
        const int wide = random.between(INT_MIN, INT_MAX);
        (void)wide; // the whole range of int: no overflow (the sanitizer watches)
        const int value = random.below(5);
        EXPECT_TRUE(value >= 0 && value < 5) << value;
        const double unit = random.unit();
        EXPECT_TRUE(unit >= 0 && unit < 1) << unit;
    }
    EXPECT_EQ(random.below(0), 0);
    EXPECT_EQ(random.below(-4), 0);
    EXPECT_EQ(random.between(5, 2), 5);
}

TEST(Random, ChancesAreKeptInPercent)
{
    zp::Random random(42);
    int never = 0, always = 0, quarter = 0;
    for (int i = 0; i < 4000; ++i) {
        never += random.chance(0) ? 1 : 0;
        always += random.chance(100) ? 1 : 0;
        quarter += random.chance(25) ? 1 : 0;
    }
    EXPECT_EQ(never, 0);
    EXPECT_EQ(always, 4000);
    EXPECT_NEAR(quarter, 1000, 150);
}

} // namespace
