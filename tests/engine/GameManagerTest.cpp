#include "zp/GameManager.h"

#include <cstdio>
#include <filesystem>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "RecordingObject.h"
#include "support/RunDir.h"
#include "zp/GraphicsManager.h"
#include "zp/LogManager.h"
#include "zp/ResourceManager.h"
#include "zp/WorldManager.h"

namespace {

using zp::test::RecordingObject;

class GameLoopTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(zp::LogManager::getInstance().startUp(), 0);
        zp::WorldManager& world = zp::WorldManager::getInstance();
        world.startUp();
        world.setBoundary(zp::Box(zp::Position(0, 0), 80, 24));
        world.setView(zp::Box(zp::Position(0, 0), 80, 24));
    }
    void TearDown() override { game.shutDown(); }

    zp::GameManager& game = zp::GameManager::getInstance();
};

TEST_F(GameLoopTest, StepCountsRunFromZeroAndNewObjectsStartNextIteration)
{
    auto* p_o = new RecordingObject;
    RecordingObject* p_child = nullptr;
    p_o->on_step = [&](RecordingObject& self) {
        if (self.steps.back() == 1)
            p_child = new RecordingObject;
    };
    for (int i = 0; i < 4; ++i)
        game.step();
    EXPECT_EQ(p_o->steps, (std::vector<int>{0, 1, 2, 3}));
    ASSERT_NE(p_child, nullptr);
    EXPECT_EQ(p_child->steps, (std::vector<int>{2, 3}));
    EXPECT_EQ(game.getStepCount(), 4);
}

TEST_F(GameLoopTest, GameOverFromAHandlerStillCompletesThatIteration)
{
    auto* p_quitter = new RecordingObject;
    p_quitter->setSolidness(zp::SPECTRAL);
    p_quitter->setXVelocity(1);
    p_quitter->on_step = [this](RecordingObject&) { game.setGameOver(true); };
    auto* p_later = new RecordingObject;

    game.run();

    EXPECT_TRUE(game.getGameOver());
    EXPECT_EQ(game.getStepCount(), 1);
    EXPECT_EQ(p_quitter->getPosition(), zp::Position(1, 0)); // the update ran
    EXPECT_EQ(p_quitter->draws, 1);                          // and the draw
    EXPECT_EQ(p_later->steps, (std::vector<int>{0}));        // later objects still got their step
}

TEST_F(GameLoopTest, EveryIterationLogsDrawAndLoopTime)
{
    for (int i = 0; i < 5; ++i)
        game.step();
    zp::LogManager::getInstance().shutDown();
    std::istringstream log(zp::test::readFile("zephane.log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 10u);
    for (size_t i = 0; i < lines.size(); i += 2) {
        EXPECT_TRUE(std::regex_match(lines[i], std::regex("Message: draw time: -?[0-9]+"))) << lines[i];
        EXPECT_TRUE(std::regex_match(lines[i + 1], std::regex("Message: loop time: [0-9]+"))) << lines[i + 1];
    }
}

TEST_F(GameLoopTest, AnEmptyWorldStillLoops)
{
    for (int i = 0; i < 100; ++i)
        game.step();
    EXPECT_EQ(game.getStepCount(), 100);
}

TEST(GameStartUp, StartsEveryManagerAndSizesTheWorldToTheWindow)
{
    zp::GameManager& game = zp::GameManager::getInstance();
    ASSERT_EQ(game.startUp(), 0);
    EXPECT_FALSE(game.getGameOver());
    EXPECT_EQ(game.getFrameTime(), 33);
    EXPECT_NE(zp::GraphicsManager::getInstance().getWindow(), nullptr);
    EXPECT_EQ(zp::ResourceManager::getInstance().getType(), "ResourceManager");
    for (const zp::Box& box : {zp::WorldManager::getInstance().getBoundary(), zp::WorldManager::getInstance().getView()}) {
        EXPECT_EQ(box.getCorner(), zp::Position(0, 0));
        EXPECT_EQ(box.getHorizontal(), 80);
        EXPECT_EQ(box.getVertical(), 24);
    }
    game.shutDown();
    EXPECT_TRUE(game.getGameOver());
    EXPECT_FALSE(zp::LogManager::getInstance().isStarted());
}

TEST(GameStartUp, AFailedLogStopsBeforeTheWorld)
{
    std::filesystem::create_directory("zephane.log");
    auto* p_survivor = new RecordingObject;
    EXPECT_EQ(zp::GameManager::getInstance().startUp(), -1);
    // The world was not started, so it was not emptied, and no window was made.
    EXPECT_EQ(zp::WorldManager::getInstance().getAllObjects().getCount(), 1);
    EXPECT_EQ(zp::GraphicsManager::getInstance().getWindow(), nullptr);
    delete p_survivor;
}

TEST(GameStartUp, AFailedGraphicsStartStopsBeforeInputAndResources)
{
    // A started resource manager empties its sprite table; this one must stay untouched.
    zp::test::writeFile("one.txt", "frames 1\nwidth 1\nheight 1\ncolor red\n*\nend\neof\n");
    ASSERT_EQ(zp::ResourceManager::getInstance().loadSprite("one.txt", "one"), 0);
    std::filesystem::remove("zp-font.ttf");
    EXPECT_EQ(zp::GameManager::getInstance().startUp(), -1);
    EXPECT_EQ(zp::ResourceManager::getInstance().getSpriteCount(), 1);
    EXPECT_EQ(zp::WorldManager::getInstance().getBoundary().getHorizontal(), 0);
    zp::GameManager::getInstance().shutDown();
}

} // namespace
