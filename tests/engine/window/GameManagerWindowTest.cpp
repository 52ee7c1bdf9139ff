// The game manager with the real window on the test's X display.
#include "support/EngineFixture.h"
#include "support/RecordingObject.h"
#include "support/Shell.h"

#include "zp/EventKeyboard.h"
#include "zp/EventStep.h"
#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/InputManager.h"
#include "zp/LogManager.h"
#include "zp/ResourceManager.h"
#include "zp/WorldManager.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

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

class GameLoopWindowTest : public zp::test::EngineFixture {
protected:
    GameLoopWindowTest() : EngineFixture(zp::test::Screen::WINDOW) {}

    void TearDown() override
    {
        zp::test::commandOutput("xdotool keyup a");
        EngineFixture::TearDown();
    }
};

TEST_F(GameLoopWindowTest, InputIsReadBeforeTheStepEvents)
{
    zp::GameManager& game = zp::GameManager::getInstance();
    auto* p_o = new zp::test::RecordingObject;
    const std::string window_id =
        std::to_string(zp::GraphicsManager::getInstance().getWindow()->getSystemHandle());
    zp::test::commandOutput("xdotool mousemove --window " + window_id + " 500 300");
    zp::test::commandOutput("xdotool keydown a");

    // Each iteration: the held key's events, then the step event.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    bool heard = false;
    while (!heard && std::chrono::steady_clock::now() < deadline) {
        p_o->events.clear();
        game.frame();
        heard = p_o->count(zp::KEYBOARD_EVENT) > 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(heard) << "the held key never arrived";
    ASSERT_FALSE(p_o->events.empty());
    // Every input event of the iteration came before its one step event.
    EXPECT_EQ(p_o->events.back(), zp::STEP_EVENT);
    EXPECT_EQ(p_o->count(zp::STEP_EVENT), 1);
}

} // namespace
