#include "zp/GameManager.h"

#include "support/EngineFixture.h"
#include "support/FreshProcess.h"
#include "support/RecordingObject.h"
#include "support/RunDir.h"
#include "support/StopSignals.h"
#include "support/Wav.h"

#include "zp/Frame.h"
#include "zp/GraphicsManager.h"
#include "zp/InputManager.h"
#include "zp/InputRecording.h"
#include "zp/InputReplayer.h"
#include "zp/LogManager.h"
#include "zp/Music.h"
#include "zp/ResourceManager.h"
#include "zp/Sprite.h"
#include "zp/WorldManager.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
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
        game.frame();
    EXPECT_EQ(p_o->steps, (std::vector<int>{first, first + 1, first + 2, first + 3}));
    ASSERT_NE(p_child, nullptr);
    EXPECT_EQ(p_child->steps, (std::vector<int>{first + 2, first + 3}));
    EXPECT_EQ(game.getStepCount(), first + 4);
}

TEST_F(GameLoopTest, TheFirstIterationOfAProgramCountsZero)
{
    ZP_EXPECT_IN_FRESH_PROCESS({
        auto* p_o = new RecordingObject;
        game.frame();
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
        game.frame();
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
        game.frame();
    EXPECT_EQ(game.getStepCount(), first + 100);
}

TEST_F(GameLoopTest, AFrameRunsItsSpeedInWorldStepsThenDrawsOnce)
{
    for (int speed : {1, 2, 4, zp::MAX_STEPS_PER_FRAME}) {
        SCOPED_TRACE(speed);
        ASSERT_EQ(game.setStepsPerFrame(speed), 0);
        EXPECT_EQ(game.getStepsPerFrame(), speed);
        auto* p_o = new RecordingObject;
        p_o->setSolidness(zp::SPECTRAL);
        p_o->setXVelocity(1);
        const int first = game.getStepCount();
        game.frame();
        std::vector<int> expected;
        for (int i = 0; i < speed; ++i)
            expected.push_back(first + i);
        EXPECT_EQ(p_o->steps, expected);
        EXPECT_EQ(p_o->draws, 1);
        EXPECT_EQ(game.getStepCount(), first + speed);
        EXPECT_EQ(p_o->getPosition(), zp::Position(speed, 0)) << "one world update per step";
        zp::WorldManager::getInstance().markForDelete(p_o);
    }
}

TEST_F(GameLoopTest, SpeedsOutsideOneToTheMostAreRefused)
{
    ASSERT_EQ(game.setStepsPerFrame(2), 0);
    for (int speed : {0, -1, zp::MAX_STEPS_PER_FRAME + 1}) {
        EXPECT_EQ(game.setStepsPerFrame(speed), -1) << speed;
        EXPECT_EQ(game.getStepsPerFrame(), 2) << speed;
    }
}

TEST_F(GameLoopTest, WhilePausedFramesDrawButTheWorldStandsStill)
{
    auto* p_mover = new RecordingObject;
    p_mover->setSolidness(zp::SPECTRAL);
    p_mover->setXVelocity(1);
    int destroyed = 0;
    auto* p_marked = new RecordingObject;
    p_marked->p_destroyed = &destroyed;
    zp::WorldManager::getInstance().markForDelete(p_marked);

    const int first = game.getStepCount();
    game.setPaused(true);
    EXPECT_TRUE(game.isPaused());
    for (int i = 0; i < 3; ++i)
        game.frame();
    EXPECT_TRUE(p_mover->steps.empty());
    EXPECT_EQ(p_mover->draws, 3);
    EXPECT_EQ(p_mover->getPosition(), zp::Position(0, 0));
    EXPECT_EQ(destroyed, 0) << "no update, so no deletion";
    EXPECT_EQ(game.getStepCount(), first);

    game.setPaused(false);
    game.frame();
    EXPECT_EQ(p_mover->steps, (std::vector<int>{first}));
    EXPECT_EQ(p_mover->getPosition(), zp::Position(1, 0));
    EXPECT_EQ(destroyed, 1);
}

TEST_F(GameLoopTest, AStepHandlerCanPauseOrEndTheRestOfAFastFrame)
{
    ASSERT_EQ(game.setStepsPerFrame(4), 0);
    auto* p_o = new RecordingObject;
    const int first = game.getStepCount();
    p_o->on_step = [&](RecordingObject& self) {
        if (self.steps.size() == 2)
            game.setPaused(true);
    };
    game.frame();
    EXPECT_EQ(p_o->steps, (std::vector<int>{first, first + 1}));
    EXPECT_EQ(p_o->draws, 1);

    game.setPaused(false);
    p_o->on_step = [&](RecordingObject& self) {
        if (self.steps.size() == 3)
            game.setGameOver(true);
    };
    game.frame();
    EXPECT_EQ(p_o->steps, (std::vector<int>{first, first + 1, first + 2}));
    EXPECT_EQ(p_o->draws, 2);
    EXPECT_EQ(game.getStepCount(), first + 3);
}

// Game over set while the input is read (the menu's quit key, the close
// button): the frame still runs its step and draws, as at the normal speed.
TEST_F(GameLoopTest, AGameOverFromTheInputStillCompletesTheFramesFirstStep)
{
    auto* p_o = new RecordingObject;
    p_o->setSolidness(zp::SPECTRAL);
    p_o->setXVelocity(1);
    ASSERT_EQ(game.setStepsPerFrame(4), 0);
    const int first = game.getStepCount();
    game.setGameOver(true);
    game.frame();
    EXPECT_EQ(p_o->steps, (std::vector<int>{first}));
    EXPECT_EQ(p_o->getPosition(), zp::Position(1, 0));
    EXPECT_EQ(p_o->draws, 1);
}

TEST_F(GameLoopTest, AnimationsAdvanceByTheWorldStepsOfTheFrame)
{
    zp::Sprite sprite(8);
    for (char ch : std::string("01234567"))
        sprite.pushFrame(zp::Frame(1, 1, std::string(1, ch)));
    auto* p_o = new RecordingObject;
    p_o->setSprite(&sprite);
    p_o->setSpriteSlowdown(1);

    const struct {
        int speed;
        bool paused;
        int index_after;
    } frames[] = {{1, false, 1}, {3, false, 4}, {4, true, 4}, {1, true, 4}, {2, false, 6}, {4, false, 2}};
    for (const auto& f : frames) {
        SCOPED_TRACE(testing::Message() << "speed " << f.speed << (f.paused ? " paused" : ""));
        game.setStepsPerFrame(f.speed);
        game.setPaused(f.paused);
        game.frame();
        EXPECT_EQ(p_o->getSpriteIndex(), f.index_after);
    }
    // A draw outside the loop advances one step, as it always did.
    zp::WorldManager::getInstance().draw();
    EXPECT_EQ(p_o->getSpriteIndex(), 3);
    zp::WorldManager::getInstance().markForDelete(p_o);
    game.setPaused(false);
    game.frame();
}

TEST_F(GameLoopTest, FiguresOfTheLastStepsForAnOverlay)
{
    // A second without steps leaves none counted.
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    EXPECT_EQ(game.getStepsPerSecond(), 0);

    auto* p_o = new RecordingObject;
    p_o->on_step = [](RecordingObject&) { std::this_thread::sleep_for(std::chrono::milliseconds(4)); };
    game.setStepsPerFrame(3);
    game.frame();
    EXPECT_GE(game.getLastStepTime(), 4000) << "microseconds, the step handler's sleep included";
    const int counted = game.getStepsPerSecond();
    EXPECT_GE(counted, 1) << "the last step ended just now";
    EXPECT_LE(counted, 3);

    game.setPaused(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    game.frame();
    EXPECT_EQ(game.getStepsPerSecond(), 0) << "paused frames run no steps";
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

// SIGINT, SIGTERM and SIGHUP end the loop between two iterations, with the log whole.
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
        for (const zp::test::StopSignal& stop : zp::test::STOP_SIGNALS) {
            SCOPED_TRACE(stop.name);
            // Each start-up forgets a stop asked for before it.
            ASSERT_EQ(game.startUp(), 0);
            auto* p_o = new RecordingObject;
            p_o->setSolidness(zp::SPECTRAL);
            p_o->setXVelocity(1);
            p_o->on_step = [&](RecordingObject& self) {
                if (self.steps.size() == 3)
                    std::raise(stop.number);
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

// A frame may bring any number of events (a recording's flood at one step):
// a stop signal ends the frame's input between two of them, then the step
// under way completes and the loop ends.
TEST_F(StopSignalTest, ASignalAmidAFloodOfInputEndsItBetweenTwoEvents)
{
    ZP_EXPECT_IN_FRESH_PROCESS({
        const int events = 100000;
        const int stop_after = 10;
        ASSERT_EQ(game.startUp(), 0);
        // At 4x a frame would run four steps.
        ASSERT_EQ(game.setStepsPerFrame(4), 0);
        const int first = game.getStepCount();
        zp::InputRecording recording;
        for (int i = 0; i < events; ++i)
            recording.addKeyboard(first, zp::KEY_PRESSED, 0);
        recording.setEndStep(first + 100);
        zp::InputReplayer replayer(recording);
        zp::InputManager::getInstance().setReplayer(&replayer);
        auto* p_o = new RecordingObject;
        int keys = 0;
        p_o->on_event = [&](RecordingObject&, const zp::Event* p_e) {
            if (p_e->getType() == zp::KEYBOARD_EVENT && ++keys == stop_after)
                std::raise(SIGTERM);
        };
        game.run();
        zp::InputManager::getInstance().setReplayer(nullptr);
        EXPECT_EQ(keys, stop_after);
        EXPECT_EQ(replayer.getSentCount(), size_t(stop_after));
        EXPECT_TRUE(replayer.wasInterrupted());
        EXPECT_EQ(game.getStepCount(), first + 1) << "the step under way, and no other";
        EXPECT_EQ(p_o->draws, 1);
        EXPECT_EQ(game.getStopSignal(), SIGTERM);
        game.shutDown();
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
#ifdef _WIN32
        // The C library's own action for it: the program ends with status 3.
        testing::ExitedWithCode(3), "");
#else
        testing::KilledBySignal(SIGTERM), "");
#endif
}

TEST_F(GameLoopTest, RunSleepsOutEveryFrame)
{
    const int frames = 5;
    auto* p_o = new RecordingObject;
    p_o->on_step = [&](RecordingObject& self) {
        if (int(self.steps.size()) == frames)
            game.setGameOver(true);
    };
    const auto start = std::chrono::steady_clock::now();
    game.run();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(p_o->steps.size(), size_t(frames));
    // Only a lower bound: a loaded machine may make the frames longer.
    EXPECT_GE(elapsed, std::chrono::milliseconds((frames - 1) * game.getFrameTime()));
}

TEST(GameStartUp, GraphicsStartBeforeInput)
{
    // The input manager refuses to start while the graphics manager is shut
    // down; the game manager starts graphics first, so it succeeds.
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    graphics.setHeadless(true);
    graphics.shutDown();
    zp::GameManager& game = zp::GameManager::getInstance();
    EXPECT_EQ(game.startUp(), 0);
    EXPECT_TRUE(zp::InputManager::getInstance().isStarted());
    game.shutDown();
    zp::InputManager::getInstance().shutDown();
    graphics.shutDown();
    graphics.setHeadless(false);
    zp::ResourceManager::getInstance().shutDown();
}

TEST(GameStartUp, HeadlessRunsWithoutWindowFontSoundOrPacing)
{
    // Silence cannot be undone within a program: a process of its own.
    ZP_EXPECT_IN_FRESH_PROCESS({
        std::filesystem::remove("zp-font.ttf");
        zp::GameManager& game = zp::GameManager::getInstance();
        EXPECT_TRUE(game.isPaced());
        game.setHeadless(true);
        ASSERT_EQ(game.startUp(), 0) << "no font and no window needed";
        EXPECT_TRUE(zp::GraphicsManager::getInstance().isHeadless());
        EXPECT_EQ(zp::GraphicsManager::getInstance().getWindow(), nullptr);
        EXPECT_TRUE(zp::ResourceManager::getInstance().isSilent());
        const char* drivers = std::getenv("ALSOFT_DRIVERS");
        EXPECT_EQ(std::string(drivers != nullptr ? drivers : ""), "null");
        EXPECT_FALSE(game.isPaced());
        auto* p_o = new RecordingObject;
        p_o->on_step = [&](RecordingObject& self) {
            if (self.steps.size() == 3)
                game.setGameOver(true);
        };
        game.run();
        EXPECT_EQ(p_o->steps.size(), 3u);
        game.shutDown();
    });
}

TEST(GameStartUp, AFailedGraphicsStartLeavesTheLogAndWorldStarted)
{
    int destroyed = 0;
    auto* p_dropped = new RecordingObject;
    p_dropped->p_destroyed = &destroyed;
    std::filesystem::remove("zp-font.ttf");
    EXPECT_EQ(zp::GameManager::getInstance().startUp(), -1);
    // The world was started before the graphics: its list was emptied, and
    // the object made before it named in the log.
    EXPECT_TRUE(zp::WorldManager::getInstance().getAllObjects().isEmpty());
    EXPECT_GT(zp::LogManager::getInstance().writeLog("after the failure"), 0);
    zp::LogManager::getInstance().flush();
    EXPECT_NE(zp::test::readFile("zephane.log").find("was made before the engine started"),
              std::string::npos);
    // Not leaked: the world deletes it with everything else.
    zp::GameManager::getInstance().shutDown();
    EXPECT_EQ(destroyed, 1);
}

TEST(GameShutDown, TheLogClosesBeforeTheWorldDeletesItsObjects)
{
    zp::GameManager& game = zp::GameManager::getInstance();
    ASSERT_EQ(zp::LogManager::getInstance().startUp(), 0);
    ASSERT_EQ(zp::WorldManager::getInstance().startUp(), 0);
    auto* p_o = new RecordingObject;
    p_o->on_destroy = [] { zp::LogManager::getInstance().writeLog("deleted at shut-down"); };
    zp::LogManager::getInstance().writeLog("before shut-down");
    game.shutDown();
    const std::string log = zp::test::readFile("zephane.log");
    EXPECT_NE(log.find("before shut-down"), std::string::npos);
    EXPECT_EQ(log.find("deleted at shut-down"), std::string::npos);
    EXPECT_TRUE(zp::WorldManager::getInstance().getAllObjects().isEmpty());
}

// Music streams on threads of its own: one still playing when the program's
// static objects are destroyed uses the audio library's freed error stream
// (a crash at the end of a run without a sound device). The game manager's
// shut-down stops every music, and the music can play again afterwards.
TEST(GameShutDown, EveryMusicIsStoppedAndStaysLoaded)
{
    zp::ResourceManager& resources = zp::ResourceManager::getInstance();
    ASSERT_EQ(resources.startUp(), 0);
    ASSERT_TRUE(zp::test::writeToneWav("tune.wav", 44100 * 5));
    for (const char* label : {"first", "second"})
        ASSERT_EQ(resources.loadMusic("tune.wav", label), 0) << label;
    resources.getMusic("first")->play();
    resources.getMusic("second")->play(false);

    zp::GameManager::getInstance().shutDown();
    for (const char* label : {"first", "second"}) {
        ASSERT_NE(resources.getMusic(label), nullptr) << label;
        EXPECT_EQ(resources.getMusic(label)->getMusic()->getStatus(), sf::SoundSource::Stopped) << label;
    }
    resources.getMusic("first")->play();
    EXPECT_EQ(resources.getMusic("first")->getMusic()->getStatus(), sf::SoundSource::Playing);
    resources.getMusic("first")->stop();
    while (resources.unloadMusic("first") == 0 || resources.unloadMusic("second") == 0) {
    }
    resources.shutDown();
}

} // namespace
