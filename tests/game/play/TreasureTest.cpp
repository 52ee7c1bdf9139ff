#include "play/Treasure.h"

#include "PlayHarness.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

using namespace play;
using zp::Position;

namespace {

class TreasureTest : public Play {};

TEST_F(TreasureTest, TreasureStandsOnTheLevelsTreasureCell)
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

TEST_F(TreasureTest, FInAnyActionTakesTheTreasureAndEndsPlay)
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

TEST_F(TreasureTest, TreasureWithoutLevelOrSpriteIsLoggedAndStillGivesUp)
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
