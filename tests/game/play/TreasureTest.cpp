#include "play/Treasure.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include "enemies/EnemyEasy.h"
#include "hud/LivesView.h"
#include "PlayHarness.h"

using namespace play;
using zp::Position;

namespace {

class TreasureAndLives : public Play {};

TEST_F(TreasureAndLives, TreasureStandsOnTheLevelsTreasureCell)
{
    loadSprite("treasure.txt", "treasure");
    loadBoard("short");
    auto* p_treasure = new Treasure;
    EXPECT_EQ(p_treasure->getType(), "Treasure");
    EXPECT_EQ(p_treasure->getPosition(), SHORT_TREASURE);
    EXPECT_EQ(p_treasure->getSolidness(), zp::HARD);
    EXPECT_EQ(p_treasure->getSprite(), zp::ResourceManager::getInstance().getSprite("treasure"));
    EXPECT_EQ(p_treasure->getSpriteSlowdown(), 0);
    step();
    EXPECT_EQ(shown(SHORT_TREASURE.getY()).substr(SHORT_TREASURE.getX(), 1), "$");
}

TEST_F(TreasureAndLives, FInAnyActionTakesTheTreasureAndEndsPlay)
{
    loadBoard("short");
    auto* p_listener = new Listener;
    int ended = 0;
    for (zp::KeyboardAction action : {zp::KEY_PRESSED, zp::KEY_RELEASED, zp::KEY_DOWN}) {
        SCOPED_TRACE(int(action));
        new Treasure;
        step();
        key(sf::Keyboard::G, action);
        key(sf::Keyboard::Q, action);
        step();
        EXPECT_EQ(objectsOf<Treasure>().size(), 1u);
        EXPECT_EQ(p_listener->count("GameOver"), ended);

        key(sf::Keyboard::F, action);
        EXPECT_EQ(p_listener->count("GameOver"), ++ended);
        step();
        EXPECT_TRUE(objectsOf<Treasure>().empty());
    }
}

TEST_F(TreasureAndLives, LivesStartAtTenAtTheirCell)
{
    auto* p_lives = new LivesView(Position(6, 1));
    EXPECT_EQ(p_lives->getViewString(), "Lives:");
    EXPECT_EQ(p_lives->getValue(), 10);
    EXPECT_EQ(p_lives->getColor(), zp::WHITE);
    step();
    EXPECT_EQ(shown(0).substr(0, 13), " ----------- ");
    EXPECT_EQ(shown(1).substr(0, 13), " |Lives: 10| ");
}

TEST_F(TreasureAndLives, PlayEndsAtEveryStepWhileTheLivesAreZeroOrLess)
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

TEST_F(TreasureAndLives, TwoEnemiesAtTheEndWithOneLifeLeftEndPlay)
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

TEST_F(TreasureAndLives, TreasureWithoutLevelOrSpriteIsLoggedAndStillGivesUp)
{
    auto* p_listener = new Listener;
    auto* p_treasure = new Treasure;
    EXPECT_EQ(p_treasure->getPosition(), Position(0, 0));
    EXPECT_EQ(p_treasure->getSprite(), nullptr);
    EXPECT_TRUE(logHas("Treasure::Treasure(): Warning! No level loaded"));
    EXPECT_TRUE(logHas("Treasure::Treasure(): Warning! Sprite 'treasure' not found"));
    step();
    key(sf::Keyboard::F, zp::KEY_PRESSED);
    step();
    EXPECT_EQ(p_listener->count("GameOver"), 1);
    EXPECT_TRUE(objectsOf<Treasure>().empty());
}

} // namespace
