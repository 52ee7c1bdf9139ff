#include "play/WavePlan.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Each wave's plan, grown step by step from the first, as the wave counter numbers them.
TEST(WavePlanGrowth, EveryWaveFromTheFirst)
{
    struct Wave {
        int wave;
        WavePlan plan; // easy, medium, hard counts; easy, medium, hard healths
    };
    const Wave table[] = {
        {1, {1, 0, 0, 50, 150, 300}},    {2, {3, 0, 0, 60, 150, 300}},    {3, {3, 0, 0, 60, 150, 300}},
        {4, {5, 0, 0, 70, 150, 300}},    {5, {5, 1, 0, 120, 175, 300}},   {6, {7, 1, 0, 130, 175, 300}},
        {7, {7, 1, 0, 130, 175, 300}},   {8, {9, 1, 0, 140, 175, 300}},   {9, {9, 1, 0, 140, 175, 300}},
        {10, {11, 2, 1, 300, 200, 400}}, {11, {11, 2, 1, 300, 200, 400}}, {12, {13, 2, 1, 310, 200, 400}},
        {13, {13, 2, 1, 310, 200, 400}}, {14, {15, 2, 1, 320, 200, 400}}, {15, {15, 3, 1, 370, 225, 400}},
        {16, {17, 3, 1, 380, 225, 400}}, {17, {17, 3, 1, 380, 225, 400}}, {18, {19, 3, 1, 390, 225, 400}},
        {19, {19, 3, 1, 390, 225, 400}}, {20, {21, 4, 2, 550, 250, 500}},
    };
    WavePlan plan;
    for (const Wave& w : table) {
        SCOPED_TRACE("wave " + std::to_string(w.wave));
        if (w.wave > 1)
            plan = planOfWave(plan, w.wave);
        EXPECT_EQ(plan.easy_count, w.plan.easy_count);
        EXPECT_EQ(plan.medium_count, w.plan.medium_count);
        EXPECT_EQ(plan.hard_count, w.plan.hard_count);
        EXPECT_EQ(plan.easy_health, w.plan.easy_health);
        EXPECT_EQ(plan.medium_health, w.plan.medium_health);
        EXPECT_EQ(plan.hard_health, w.plan.hard_health);
        EXPECT_EQ(plan.enemyCount(), w.plan.easy_count + w.plan.medium_count + w.plan.hard_count);
    }
}

TEST(WavePlanPreview, NamesOnlyTheKindsTheWaveBrings)
{
    const struct {
        int wave;
        WavePlan plan;
        const char* text;
    } cases[] = {
        {1, WavePlan(), "Next wave 1: 1 easy 50hp"},
        {5, {5, 1, 0, 120, 175, 300}, "Next wave 5: 5 easy 120hp, 1 medium 175hp"},
        {10, {11, 2, 1, 300, 200, 400}, "Next wave 10: 11 easy 300hp, 2 medium 200hp, 1 hard 400hp"},
        {3, {0, 0, 2, 50, 150, 900}, "Next wave 3: 2 hard 900hp"},
        {100,
         {101, 20, 10, 3050, 650, 1300},
         "Next wave 100: 101 easy 3050hp, 20 medium 650hp, 10 hard 1300hp"},
    };
    for (const auto& c : cases) {
        const std::string text = wavePreviewText(c.wave, c.plan);
        EXPECT_EQ(text, c.text);
        EXPECT_LE(text.size(), 80u) << "fits the bottom row";
    }
}

} // namespace
