#include "hud/LivesView.h"

#include "PlayHarness.h"
#include "enemies/EnemyEasy.h"

#include <gtest/gtest.h>

using namespace play;
using zp::Position;

namespace {

class LivesViewTest : public Play {};

TEST_F(LivesViewTest, LivesStartAtTenAtTheirCell)
{
    auto* p_lives = new LivesView(Position(6, 1));
    EXPECT_EQ(p_lives->getViewString(), "Lives:");
    EXPECT_EQ(p_lives->getValue(), 10);
    EXPECT_EQ(p_lives->getColor(), zp::WHITE);
    step();
    EXPECT_EQ(shown(0).substr(0, 13), " ----------- ");
    EXPECT_EQ(shown(1).substr(0, 13), " |Lives: 10| ");
}

TEST_F(LivesViewTest, PlayEndsAtEveryStepWhileTheLivesAreZeroOrLess)
{
    new LivesView(Position(6, 1));
    auto* p_listener = new Listener;
    struct Case {
        int lives;
        int game_overs_per_step;
    };
    for (const Case& c : {Case{2, 0}, Case{1, 0}, Case{0, 1}, Case{-1, 1}, Case{-7, 1}}) {
        SCOPED_TRACE(c.lives);
        setCounter("Lives:", c.lives);
        const int before = p_listener->count("GameOver");
        step(3);
        EXPECT_EQ(p_listener->count("GameOver") - before, 3 * c.game_overs_per_step);
        EXPECT_EQ(counter("Lives:"), c.lives);
    }
}

TEST_F(LivesViewTest, TwoEnemiesAtTheEndWithOneLifeLeftEndPlay)
{
    loadBoard("short");
    new LivesView(Position(6, 1));
    auto* p_listener = new Listener;
    new EnemyEasy(50);
    new EnemyEasy(50);
    setCounter("Lives:", 1);
    // Both reach the end with their 13th step and cost a life with their 18th.
    step(17);
    EXPECT_EQ(counter("Lives:"), 1);
    EXPECT_EQ(p_listener->count("GameOver"), 0);
    step();
    EXPECT_EQ(counter("Lives:"), -1);
    EXPECT_EQ(p_listener->count("GameOver"), 0);
    step();
    EXPECT_EQ(p_listener->count("GameOver"), 1);
}

} // namespace
