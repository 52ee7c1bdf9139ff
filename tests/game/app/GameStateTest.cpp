// The state that a replay prints at its end and that the recording's checks
// digest: the latest game's counters and turrets, kept after its board has
// gone, and the world's objects by type, position and health or value.
#include "app/GameState.h"

#include "PlayHarness.h"
#include "enemies/EnemyEasy.h"
#include "hud/CurrencyView.h"
#include "play/WavesGame.h"
#include "turrets/Gatling.h"

#include "zp/InputRecording.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <string>

using namespace play;
using zp::Position;

namespace {

const Position GATLING_PANEL(66, 2);
const Position FREE_CELL(20, 5);

class GameStateTest : public Play {
protected:
    void SetUp() override
    {
        Play::SetUp();
        loadPlaySprites();
        forgetPlayResults();
    }
};

TEST_F(GameStateTest, TheLatestGameWhileItRunsAndAfterItEnded)
{
    GameState before = readGameState();
    EXPECT_EQ(stateLine(before).substr(stateLine(before).find(" level")),
              " level 0 wave 0 lives 0 currency 0 turrets 0 objects " +
                  stateLine(before).substr(stateLine(before).size() - 16));

    auto* p_game = new WavesGame(levelFile("short"), pathFile("short"));
    p_game->setLevelNumber(2);
    click(GATLING_PANEL);
    moveMouse(FREE_CELL);
    click(FREE_CELL);
    step();
    GameState running = readGameState();
    EXPECT_EQ(running.level, 2);
    EXPECT_EQ(running.lives, counter("Lives:"));
    EXPECT_EQ(running.currency, 0);
    EXPECT_EQ(running.turrets, 1);
    EXPECT_EQ(running.step, zp::GameManager::getInstance().getStepCount());

    // Given up: the board goes, its counters stay in the state.
    const int lives = counter("Lives:");
    const int wave = counter("Wave:");
    key(sf::Keyboard::F, zp::KEY_PRESSED);
    step(2);
    EXPECT_TRUE(objectsOfType<Turret>("Gatling").empty());
    const GameState ended = readGameState();
    EXPECT_EQ(ended.level, 2);
    EXPECT_EQ(ended.wave, wave);
    EXPECT_EQ(ended.lives, lives);
    EXPECT_EQ(ended.turrets, 1);
    EXPECT_NE(ended.objects, running.objects);
}

TEST_F(GameStateTest, ObjectsByTypePositionAndHealthOrValue)
{
    auto* p_rock = new zp::Object;
    p_rock->setType("Rock");
    p_rock->setPosition(Position(3, 4));
    auto* p_enemy = new EnemyEasy(7);
    p_enemy->setPosition(Position(5, 6));
    EXPECT_EQ(describeObjects(), "Rock 3 4\nEnemy 5 6 health 7/7\n");

    const std::uint64_t at_first = readGameState().objects;
    EXPECT_EQ(at_first, zp::digestOf(describeObjects()));
    // An animation frame is no part of the state: it moves with drawn frames.
    p_enemy->setSpriteIndex(p_enemy->getSpriteIndex() + 1);
    EXPECT_EQ(readGameState().objects, at_first);
    p_enemy->setHealth(6);
    EXPECT_NE(readGameState().objects, at_first);
    p_enemy->setHealth(7);
    p_rock->setPosition(Position(3, 5));
    EXPECT_NE(readGameState().objects, at_first);
}

// A turret's state says the player's choices only once they are made, so the
// games recorded before there were any choices keep their digests.
TEST_F(GameStateTest, TurretsSayTheirTargetingAndUpgradeOnlyWhenChosen)
{
    auto* p_turret = new Gatling(Position(3, 4));
    EXPECT_EQ(describeObjects(), "Gatling 3 4 countdown 2\n");
    p_turret->setTargetMode(TargetMode::WEAKEST);
    EXPECT_EQ(describeObjects(), "Gatling 3 4 countdown 2 aim weakest\n");
    p_turret->setTargetMode(TargetMode::FIRST);
    EXPECT_EQ(describeObjects(), "Gatling 3 4 countdown 2\n");

    new CurrencyView(Position(55, 1));
    ASSERT_TRUE(p_turret->upgrade());
    p_turret->setTargetMode(TargetMode::CLOSEST);
    EXPECT_EQ(describeObjects(),
              "Gatling 3 4 countdown 2 aim closest upgrade 1\nCurrencyView 55 1 value 0\n");
}

TEST_F(GameStateTest, TheStateLineAndItsDigest)
{
    GameState state;
    state.step = 1234;
    state.level = 1;
    state.wave = 5;
    state.lives = 0;
    state.currency = 30;
    state.turrets = 2;
    state.objects = 0x0123456789abcdefull;
    EXPECT_EQ(stateLine(state),
              "step 1234 level 1 wave 5 lives 0 currency 30 turrets 2 objects 0123456789abcdef");
    EXPECT_EQ(stateDigest(), zp::digestOf(stateLine(readGameState())));
}

} // namespace
