// Misuse of the engine that C++ lets through is named in the log, with the
// engine's result unchanged where it has one: one row per case, each
// checking its result and its log line. Calls made off the game loop's
// thread stop a debug build at once, naming the call.
#include "support/EngineFixture.h"
#include "support/RunDir.h"

#include "zp/Event.h"
#include "zp/LogManager.h"
#include "zp/Object.h"
#include "zp/ResourceManager.h"
#include "zp/WorldManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

zp::WorldManager& world()
{
    return zp::WorldManager::getInstance();
}

// An object that was in the world and has been deleted by it.
zp::Object* deletedObject()
{
    zp::Object* p_o = new zp::Object;
    world().markForDelete(p_o);
    world().update();
    return p_o;
}

struct Misuse {
    const char* name;
    // Does the wrong thing and returns the engine's result.
    std::function<int()> act;
    int result;
    // What the log says about it.
    const char* log_line;
};

using LoudErrorsTest = zp::test::EngineFixture;

// A literal text as a death test's regular expression.
std::string escaped(const std::string& text)
{
    std::string pattern;
    for (char ch : text) {
        if (std::string("()[]{}.*+?^$|\\").find(ch) != std::string::npos)
            pattern += '\\';
        pattern += ch;
    }
    return pattern;
}

TEST_F(LoudErrorsTest, MisuseGivesItsResultAndALogLine)
{
    const Misuse cases[] = {
        {"markForDelete of an object deleted already", [] { return world().markForDelete(deletedObject()); },
         -1, "WorldManager::markForDelete: 0x"},
        {"markForDelete of no object", [] { return world().markForDelete(nullptr); }, -1,
         "WorldManager::markForDelete: nullptr is no object of the world's (deleted already, or never made): "
         "nothing done"},
        {"moveObject of an object deleted already",
         [] { return world().moveObject(deletedObject(), zp::Position(3, 3)); }, -1,
         "WorldManager::moveObject: 0x"},
        {"a timer for an object the full world refused",
         [] {
             // Spectral, so that the full world's updates cost no collisions.
             for (int i = 0; i < zp::MAX_OBJECTS - 1; ++i)
                 (new zp::Object)->setSolidness(zp::SPECTRAL);
             zp::Object* p_refused = new zp::Object;
             p_refused->setId(5000);
             return p_refused->startTimer("never", 3);
         },
         -1,
         "WorldManager::startTimer: object 5000 is not in the world (refused, or taken out): no timer "
         "\"never\""},
        {"a timer for an object deleted already",
         [] { return world().startTimer(deletedObject(), "late", 5); }, -1, "WorldManager::startTimer: 0x"},
        {"a timer of no steps",
         [] {
             zp::Object* p_o = new zp::Object;
             p_o->setId(77);
             return p_o->startTimer("now", 0);
         },
         -1,
         "WorldManager::startTimer: timer \"now\" of object 77 asks for 0 steps (1 or more): not started"},
        {"an object made before the engine started",
         [] {
             world().shutDown();
             zp::Object* p_early = new zp::Object;
             p_early->setType("Early");
             p_early->setId(41);
             world().startUp();
             // Left out of the world, and deleted (not leaked) at the next update.
             const int in_world = world().isInWorld(p_early) ? 0 : -1;
             world().update();
             return in_world;
         },
         -1,
         "Object 41 (type \"Early\") was made before the engine started: it is not in the world, and is "
         "deleted "
         "at the next update"},
    };
    for (const Misuse& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(zp::LogManager::getInstance().startUp(), 0);
        world().shutDown();
        world().startUp();
        EXPECT_EQ(c.act(), c.result);
        // The engine goes on: nothing was marked or moved that is not there.
        world().update();
        const std::string log = zp::test::readFile("zephane.log");
        EXPECT_NE(log.find(std::string("Message: ") + c.log_line), std::string::npos) << log;
    }
}

// A sprite file that does not load says where and what was wrong, in one
// line; what a load survives (an unknown colour, an empty frame, a line out of
// place that the format reads past) is said too, and the sprite loads as ever.
TEST_F(LoudErrorsTest, SpriteFilesSayWhereAndWhatWasWrong)
{
    const struct {
        const char* file;
        int result;
        std::vector<std::string> log_lines; // each after "Message: <fixture path>"
    } cases[] = {
        {"short_row.txt", -1, {":8: row 1 of frame 2 is 2 characters long, not the width 3"}},
        {"long_row.txt", -1, {":5: row 1 of frame 1 is 4 characters long, not the width 3"}},
        {"missing_end.txt", -1, {":6: frame 1 is not closed by \"end\" (found \"eof\")"}},
        {"too_few_frames.txt",
         -1,
         {":10: the file ends in frame 3: the file holds 2 frames, not the 3 that \"frames\" promises"}},
        {"too_few_frames_wide.txt",
         -1,
         {":9: \"eof\" in frame 3: the file holds 2 frames, not the 3 that \"frames\" promises"}},
        {"swapped_size.txt",
         -1,
         {":5: the rows are 3 characters long, not the width 5: are width and height swapped?"}},
        {"missing_eof.txt", -1, {":7: the file ends without \"eof\" after frame 1"}},
        {"wrong_eof.txt",
         -1,
         {":7: \"eof\" expected after frame 1, the last that \"frames 1\" promises, found \"EOF\""}},
        {"wrong_frames_keyword.txt", -1, {":1: the first line must be \"frames <number>\", not \"frame 1\""}},
        {"negative_frames.txt", -1, {":1: \"frames -2\": a sprite has 0 frames or more"}},
        {"wrong_width_keyword.txt", -1, {":2: the second line must be \"width <number>\", not \"widht 3\""}},
        {"wrong_height_keyword.txt",
         -1,
         {":3: the third line must be \"height <number>\", not \"Height 1\""}},
        {"no_color_line.txt", -1, {":4: the fourth line must be \"color <name>\", not \"-o-\""}},
        {"empty.txt", -1, {":1: the file ends where the first line, \"frames <number>\", should be"}},
        // These load, as they always have, and say what they lack.
        {"color_unknown.txt",
         0,
         {":4: unknown colour \"purple\" (black, red, green, yellow, blue, magenta, cyan or white): the "
          "sprite "
          "is white"}},
        {"color_capital.txt",
         0,
         {":4: unknown colour \"Green\" (black, red, green, yellow, blue, magenta, cyan or white): the "
          "sprite "
          "is white"}},
        {"empty_frames.txt",
         0,
         {":5: frame 1 is empty: nothing of it is drawn", ":6: frame 2 is empty: nothing of it is drawn"}},
        {"misspelt_end.txt", 0, {":6: frame 1 is not closed by \"end\" (found \"edn\")"}},
        {"two_frames.txt", 0, {}},
    };
    zp::ResourceManager& resources = zp::ResourceManager::getInstance();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_EQ(zp::LogManager::getInstance().startUp(), 0);
        const std::string path = zp::test::fixture(std::string("sprites/") + c.file);
        EXPECT_EQ(resources.loadSprite(path, c.file), c.result);
        std::string expected;
        for (const std::string& line : c.log_lines)
            expected += "Message: " + path + line + "\n";
        EXPECT_EQ(zp::test::readFile("zephane.log"), expected);
    }
}

struct OffThreadCall {
    const char* name;
    std::function<void()> call;
    const char* named;
};

TEST_F(LoudErrorsTest, ACallOffTheLoopsThreadStopsADebugBuildNamingTheCall)
{
#ifdef NDEBUG
    GTEST_SKIP() << "the loop's thread is checked in debug builds";
#endif
    // Forked, the dying child writes the log file of this run folder.
    GTEST_FLAG_SET(death_test_style, "fast");
    zp::Object* p_o = new zp::Object;
    const OffThreadCall cases[] = {
        {"markForDelete", [p_o] { world().markForDelete(p_o); }, "WorldManager::markForDelete"},
        {"moveObject", [p_o] { world().moveObject(p_o, zp::Position(1, 1)); }, "WorldManager::moveObject"},
        {"making an object", [] { new zp::Object; }, "WorldManager::insertObject (making an object)"},
        {"onEvent",
         [] {
             const zp::Event event;
             world().onEvent(&event);
         },
         "Manager::onEvent"},
        {"loadSprite", [] { zp::ResourceManager::getInstance().loadSprite("none.txt", "none"); },
         "ResourceManager::loadSprite"},
    };
    for (const OffThreadCall& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(zp::LogManager::getInstance().startUp(), 0);
        const std::string said = std::string(c.named) + " was called off the game loop's thread";
        EXPECT_DEATH(
            {
                std::thread other(c.call);
                other.join();
            },
            "zp: " + escaped(said));
        // The dying process also left it in the log (a forked child writes the same file).
        const std::string log = zp::test::readFile("zephane.log");
        EXPECT_NE(log.find("Message: " + said +
                           ": every engine call belongs on the thread that started the engine"),
                  std::string::npos)
            << log;
    }
    // The loop's own thread goes on undisturbed.
    EXPECT_EQ(world().markForDelete(p_o), 0);
}

} // namespace
