// The game manager's start-up with the real window on the test's X display.
#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/InputManager.h"
#include "zp/LogManager.h"
#include "zp/ResourceManager.h"
#include "zp/WorldManager.h"

#include <gtest/gtest.h>

namespace {

TEST(GameStartUp, StartsEveryManagerAndSizesTheWorldToTheWindow)
{
    zp::GameManager& game = zp::GameManager::getInstance();
    ASSERT_EQ(game.startUp(), 0);
    EXPECT_FALSE(game.getGameOver());
    EXPECT_EQ(game.getFrameTime(), 33);
    EXPECT_NE(zp::GraphicsManager::getInstance().getWindow(), nullptr);
    EXPECT_EQ(zp::ResourceManager::getInstance().getType(), "ResourceManager");
    for (const zp::Box& box :
         {zp::WorldManager::getInstance().getBoundary(), zp::WorldManager::getInstance().getView()}) {
        EXPECT_EQ(box.getCorner(), zp::Position(0, 0));
        EXPECT_EQ(box.getHorizontal(), 80);
        EXPECT_EQ(box.getVertical(), 24);
    }
    game.shutDown();
    EXPECT_TRUE(game.getGameOver());
    EXPECT_FALSE(zp::LogManager::getInstance().isStarted());
    // The game leaves these to program exit; the next test needs them closed.
    zp::InputManager::getInstance().shutDown();
    zp::GraphicsManager::getInstance().shutDown();
    zp::ResourceManager::getInstance().shutDown();
}

} // namespace
