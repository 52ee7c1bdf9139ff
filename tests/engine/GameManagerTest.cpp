#include "zp/GameManager.h"

#include "support/EngineFixture.h"
#include "support/FreshProcess.h"
#include "support/RecordingObject.h"
#include "support/RunDir.h"

#include "zp/GraphicsManager.h"
#include "zp/LogManager.h"
#include "zp/ResourceManager.h"
#include "zp/WorldManager.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

using zp::test::RecordingObject;

class GameLoopTest : public zp::test::EngineFixture {
protected:
    void TearDown() override
    {
        game.shutDown();
        EngineFixture::TearDown();
    }

    zp::GameManager& game = zp::GameManager::getInstance();
};

TEST_F(GameLoopTest, StepCountsRunOnAndNewObjectsStartNextIteration)
{
    const int first = game.getStepCount();
    auto* p_o = new RecordingObject;
    RecordingObject* p_child = nullptr;
    p_o->on_step = [&](RecordingObject& self) {
        if (self.steps.back() == first + 1)
            p_child = new RecordingObject;
    };
    for (int i = 0; i < 4; ++i)
        game.step();
    EXPECT_EQ(p_o->steps, (std::vector<int>{first, first + 1, first + 2, first + 3}));
    ASSERT_NE(p_child, nullptr);
    EXPECT_EQ(p_child->steps, (std::vector<int>{first + 2, first + 3}));
    EXPECT_EQ(game.getStepCount(), first + 4);
}

TEST_F(GameLoopTest, TheFirstIterationOfAProgramCountsZero)
{
    ZP_EXPECT_IN_FRESH_PROCESS({
        auto* p_o = new RecordingObject;
        game.step();
        EXPECT_EQ(p_o->steps, (std::vector<int>{0}));
        EXPECT_EQ(game.getStepCount(), 1);
    });
}

TEST_F(GameLoopTest, GameOverFromAHandlerStillCompletesThatIteration)
{
    auto* p_quitter = new RecordingObject;
    p_quitter->setSolidness(zp::SPECTRAL);
    p_quitter->setXVelocity(1);
    p_quitter->on_step = [this](RecordingObject&) { game.setGameOver(true); };
    auto* p_later = new RecordingObject;

    const int first = game.getStepCount();
    game.run();

    EXPECT_TRUE(game.getGameOver());
    EXPECT_EQ(game.getStepCount(), first + 1);
    EXPECT_EQ(p_quitter->getPosition(), zp::Position(1, 0)); // the update ran
    EXPECT_EQ(p_quitter->draws, 1);                          // and the draw
    EXPECT_EQ(p_later->steps, (std::vector<int>{first}));    // later objects still got their step
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
    const int first = game.getStepCount();
    for (int i = 0; i < 100; ++i)
        game.step();
    EXPECT_EQ(game.getStepCount(), first + 100);
}

TEST(GameStartUp, AFailedLogStopsBeforeTheWorld)
{
    zp::LogManager::getInstance().shutDown();
    std::filesystem::remove("zephane.log");
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
    // A started resource manager empties its sprite table, and a started game
    // sizes the world; both must stay untouched.
    zp::ResourceManager::getInstance().shutDown();
    const zp::Box untouched(zp::Position(3, 3), 7, 7);
    zp::WorldManager::getInstance().setBoundary(untouched);
    zp::test::writeFile("one.txt", "frames 1\nwidth 1\nheight 1\ncolor red\n*\nend\neof\n");
    ASSERT_EQ(zp::ResourceManager::getInstance().loadSprite("one.txt", "one"), 0);
    std::filesystem::remove("zp-font.ttf");
    EXPECT_EQ(zp::GameManager::getInstance().startUp(), -1);
    EXPECT_EQ(zp::ResourceManager::getInstance().getSpriteCount(), 1);
    EXPECT_EQ(zp::WorldManager::getInstance().getBoundary().getHorizontal(), 7);
    zp::GameManager::getInstance().shutDown();
    zp::ResourceManager::getInstance().shutDown();
}

// SIGINT and SIGTERM end the loop between two iterations, with the log whole.
class StopSignalTest : public zp::test::EngineFixture {
protected:
    StopSignalTest() : EngineFixture(zp::test::Screen::HEADLESS) {}

    void TearDown() override
    {
        game.shutDown();
        EngineFixture::TearDown();
    }

    zp::GameManager& game = zp::GameManager::getInstance();
};

TEST_F(StopSignalTest, ASignalEndsTheLoopAfterTheIterationWithTheLogWhole)
{
    ZP_EXPECT_IN_FRESH_PROCESS({
        const struct {
            int signal_number;
            const char* name;
        } stops[] = {{SIGINT, "SIGINT"}, {SIGTERM, "SIGTERM"}};
        for (const auto& stop : stops) {
            SCOPED_TRACE(stop.name);
            // Each start-up forgets a stop asked for before it.
            ASSERT_EQ(game.startUp(), 0);
            auto* p_o = new RecordingObject;
            p_o->setSolidness(zp::SPECTRAL);
            p_o->setXVelocity(1);
            p_o->on_step = [&](RecordingObject& self) {
                if (self.steps.size() == 3)
                    std::raise(stop.signal_number);
            };
            const int first = game.getStepCount();
            game.run();
            EXPECT_FALSE(game.getGameOver());
            EXPECT_EQ(game.getStepCount(), first + 3);
            EXPECT_EQ(p_o->getPosition(), zp::Position(3, 0)); // the third update ran
            EXPECT_EQ(p_o->draws, 3);                          // and its draw
            game.shutDown();

            std::istringstream log(zp::test::readFile("zephane.log"));
            std::vector<std::string> lines;
            for (std::string line; std::getline(log, line);)
                lines.push_back(line);
            ASSERT_EQ(lines.size(), 7u);
            EXPECT_TRUE(std::regex_match(lines[5], std::regex("Message: loop time: [0-9]+"))) << lines[5];
            EXPECT_EQ(lines[6], std::string("Message: Stopped by ") + stop.name +
                                    ": the game loop ended after a whole iteration");
        }
    });
}

TEST_F(StopSignalTest, ASecondSignalEndsAProgramWhoseLoopDoesNotComeRound)
{
    EXPECT_EXIT(
        {
            game.startUp();
            std::raise(SIGTERM); // recorded, for a loop that never looks
            std::raise(SIGTERM);
            std::_Exit(0);
        },
        testing::KilledBySignal(SIGTERM), "");
}

} // namespace
