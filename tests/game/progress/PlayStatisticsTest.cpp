// The statistics of a game: counted from the game's own events, and checked
// against recorded games whose numbers are known from their inputs, their
// final state and the waves' plans.
#include "progress/PlayStatistics.h"

#include "ReplayHarness.h"
#include "content/PlayEvents.h"
#include "hud/CurrencyView.h"
#include "hud/LivesView.h"
#include "play/WavesGame.h"

#include "zp/EventView.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using Counts = std::map<std::string, int>;

TEST(PlayStatistics, CountedFromTheGamesEvents)
{
    PlayStatistics statistics;
    const EnemyKilledEvent destroyed("easy", true);
    const EnemyKilledEvent cleared_away("hard", false);
    const TurretEvent built(TURRET_BUILT_EVENT, "Rocket");
    const TurretEvent sold(TURRET_SOLD_EVENT, "Rocket");
    const zp::EventView reward(CURRENCY_TAG, 10, true);
    const zp::EventView charge(CURRENCY_TAG, -300, true);
    const zp::EventView currency_set(CURRENCY_TAG, 999, false);
    const zp::EventView life_lost(LIVES_TAG, -1, true);
    const zp::EventView wave_up(WAVE_TAG, 1, true);
    zp::Event plain;
    plain.setType(ENEMY_KILLED_EVENT);
    const std::vector<const zp::Event*> events = {&destroyed, &destroyed, &cleared_away, &built,
                                                  &sold,      &reward,    &charge,       &currency_set,
                                                  &life_lost, &life_lost, &wave_up,      &plain};
    for (const zp::Event* p_event : events)
        statistics.count(*p_event);
    EXPECT_EQ(statistics.enemies_destroyed, (Counts{{"easy", 2}})) << "only enemies whose health ran out";
    EXPECT_EQ(statistics.enemiesDestroyed(), 2);
    EXPECT_EQ(statistics.turrets_built, (Counts{{"Rocket", 1}}));
    EXPECT_EQ(statistics.turrets_sold, (Counts{{"Rocket", 1}}));
    EXPECT_EQ(statistics.currency_earned, 10);
    EXPECT_EQ(statistics.currency_spent, 300);
    EXPECT_EQ(statistics.lives_lost, 2);
}

TEST(PlayStatistics, TimeAtTheNormalSpeed)
{
    EXPECT_EQ(playTimeText(0), "0:00");
    EXPECT_EQ(playTimeText(1870), "1:01"); // 61.71 s
    EXPECT_EQ(playTimeText(30000), "16:30");
    EXPECT_EQ(playTimeText(110000), "1:00:30");
}

TEST(PlayStatistics, TheGameOverScreensLines)
{
    PlayStatistics statistics;
    statistics.enemies_destroyed = {{"medium", 3}, {"easy", 40}};
    statistics.turrets_built = {{"Freeze", 1}, {"Gatling", 2}};
    statistics.currency_earned = 430;
    statistics.currency_spent = 100;
    statistics.lives_lost = 10;
    statistics.steps = 1870;
    const std::vector<std::string> lines = statisticsLines(8, statistics);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "Wave reached:       8");
    EXPECT_EQ(lines[1], "Enemies destroyed:  43 (40 easy, 3 medium)");
    EXPECT_EQ(lines[2], "Turrets built:      2 Gatling, 1 Freeze");
    EXPECT_EQ(lines[3], "Turrets sold:       none");
    EXPECT_EQ(lines[4], "Currency earned:    430, spent: 100");
    EXPECT_EQ(lines[5], "Lives lost:         10");
    EXPECT_EQ(lines[6], "Time played:        1:01 (at the normal speed)");
}

class KnownGames : public zp::test::RealGame {};

// From the menu at step 130, level 1: a Gatling bought and sold again, the
// level given up with F at step 2000. The final state says wave 3, lives 10,
// currency 90: 100 - 100 + 50 back = 50, so four enemies paid 10 each,
// the easy ones of waves 1 and 2 (1 + 3).
TEST_F(KnownGames, ALevelGivenUpAfterASale)
{
    play(regressionGame("menu-level1-sale"));
    const PlayResult result = latestPlayResult();
    EXPECT_EQ(result.level, 1);
    EXPECT_EQ(result.wave, 3);
    const PlayStatistics& statistics = result.statistics;
    EXPECT_EQ(statistics.enemies_destroyed, (Counts{{"easy", 4}}));
    EXPECT_EQ(statistics.turrets_built, (Counts{{"Gatling", 1}}));
    EXPECT_EQ(statistics.turrets_sold, (Counts{{"Gatling", 1}}));
    EXPECT_EQ(statistics.currency_earned, 90);
    EXPECT_EQ(statistics.currency_spent, 100);
    EXPECT_EQ(statistics.lives_lost, 0);
    EXPECT_EQ(statistics.steps, 2000 - 130);
    EXPECT_EQ(CURRENCY_START + statistics.currency_earned - statistics.currency_spent, result.currency);
}

// The scripted player's one Gatling on level 1, until the lives run out at
// wave 8: currency 430 at the end, so 430 was earned, all by 43 kills: the
// whole of waves 1 to 7 (1 + 3 + 3 + 5 + 6 + 8 + 8 enemies, three of them
// medium) and the nine easy enemies of wave 8, which come before its medium.
TEST_F(KnownGames, ALevelLostWithOneGatling)
{
    play(regressionGame("level1-one-gatling"));
    const PlayResult result = latestPlayResult();
    EXPECT_EQ(result.wave, 8);
    EXPECT_EQ(result.lives, 0);
    const PlayStatistics& statistics = result.statistics;
    EXPECT_EQ(statistics.enemies_destroyed, (Counts{{"easy", 40}, {"medium", 3}}));
    EXPECT_EQ(statistics.turrets_built, (Counts{{"Gatling", 1}}));
    EXPECT_TRUE(statistics.turrets_sold.empty());
    EXPECT_EQ(statistics.currency_earned, 430);
    EXPECT_EQ(statistics.currency_spent, 100);
    EXPECT_EQ(statistics.lives_lost, LIVES_START);
    EXPECT_EQ(statistics.steps, result.end_step - result.start_step);
}

} // namespace
