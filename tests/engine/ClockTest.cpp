#include "zp/Clock.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

std::int64_t fake_now = 0;
std::int64_t fakeTime()
{
    return fake_now;
}

class ClockTest : public testing::Test {
protected:
    void SetUp() override { zp::Clock::setTimeSource(&fakeTime); }
    void TearDown() override { zp::Clock::setTimeSource(nullptr); }
};

TEST_F(ClockTest, IntervalsAcrossTheTopOfAnHourAreTheTrueElapsedTime)
{
    // Readings just before and after 1:00:00, as microseconds since some start.
    const std::int64_t one_hour_us = 3600LL * 1000 * 1000;
    const struct {
        std::int64_t start;
        std::int64_t end;
    } cases[] = {
        {one_hour_us - 1000, one_hour_us + 2000},
        {24 * one_hour_us - 5, 24 * one_hour_us + 33000},
        {0, 33000},
        {123456789, 123456789},
    };
    for (const auto& c : cases) {
        fake_now = c.start;
        zp::Clock clock;
        fake_now = c.end;
        EXPECT_EQ(clock.split(), long(c.end - c.start));
        EXPECT_EQ(clock.delta(), long(c.end - c.start));
    }
}

TEST_F(ClockTest, SplitMeasuresFromTheLastDeltaWithoutRestarting)
{
    fake_now = 1000;
    zp::Clock clock;
    fake_now = 1500;
    EXPECT_EQ(clock.split(), 500);
    fake_now = 4000;
    EXPECT_EQ(clock.split(), 3000);
    EXPECT_EQ(clock.delta(), 3000);
    fake_now = 4100;
    EXPECT_EQ(clock.split(), 100);
}

TEST(ClockPlatform, RealClockNeverGoesBackwards)
{
    zp::Clock clock;
    long previous = clock.split();
    for (int i = 0; i < 1000; ++i) {
        const long now = clock.split();
        EXPECT_GE(now, previous);
        previous = now;
    }
}

} // namespace
