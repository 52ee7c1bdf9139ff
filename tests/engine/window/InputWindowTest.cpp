// The input manager against a real window under the test's own X server,
// driven by xdotool: what a player's keys and mouse produce, step by step.
#include "support/CloseRequest.h"
#include "support/EngineFixture.h"
#include "support/RecordingObject.h"
#include "support/Shell.h"

#include "zp/EventKeyboard.h"
#include "zp/EventMouse.h"
#include "zp/EventStep.h"
#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/InputManager.h"
#include "zp/WorldManager.h"

#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Window.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

using zp::Position;

// One input event as an object saw it, with the step it arrived in.
struct Seen {
    int step;
    std::string what; // e.g. "key pressed 16", "mouse clicked 0 at 10,2"
};

std::string describe(const zp::Event* p_event)
{
    if (p_event->getType() == zp::KEYBOARD_EVENT) {
        auto* p_key = static_cast<const zp::EventKeyboard*>(p_event);
        const char* actions[] = {"pressed", "released", "down"};
        return std::string("key ") + actions[p_key->getKeyboardAction()] + " " +
               std::to_string(p_key->getKey());
    }
    if (p_event->getType() == zp::MOUSE_EVENT) {
        auto* p_mouse = static_cast<const zp::EventMouse*>(p_event);
        Position at = p_mouse->getMousePosition();
        const char* actions[] = {"clicked", "pressed", "moved"};
        std::string text = std::string("mouse ") + actions[p_mouse->getMouseAction()];
        if (p_mouse->getMouseAction() != zp::MOVED)
            text += " " + std::to_string(p_mouse->getMouseButton());
        return text + " at " + std::to_string(at.getX()) + "," + std::to_string(at.getY());
    }
    return "";
}

std::string run(const std::string& command)
{
    return zp::test::commandOutput(command);
}

class InputWindowTest : public zp::test::EngineFixture {
protected:
    InputWindowTest() : EngineFixture(zp::test::Screen::WINDOW) {}

    void SetUp() override
    {
        EngineFixture::SetUp();
        if (HasFatalFailure())
            return;

        p_listener = new zp::test::RecordingObject;
        p_listener->on_event = [this](zp::test::RecordingObject&, const zp::Event* p_event) {
            std::string what = describe(p_event);
            if (!what.empty())
                seen.push_back({step, what});
        };

        // The window is found by its title, as a player's desktop would show it.
        pumpUntil([&] {
            window_id = run("xdotool search --name '^Zephane$'");
            return !window_id.empty();
        });
        ASSERT_FALSE(window_id.empty()) << "no window titled Zephane";
        ASSERT_EQ(window_id, std::to_string(graphics.getWindow()->getSystemHandle()));
        xdotool("windowfocus --sync " + window_id);
        // Start from a known pointer place, then forget what came before.
        xdotool("mousemove --window " + window_id + " 500 300");
        pumpUntil([&] { return saw("mouse moved at 39,9"); });
        ASSERT_TRUE(saw("mouse moved at 39,9"));
        seen.clear();
    }

    void TearDown() override
    {
        xdotool("keyup q a 1");
        xdotool("mouseup 1");
        EngineFixture::TearDown();
    }

    void xdotool(const std::string& arguments) { run("xdotool " + arguments); }

    // One game step's worth of input.
    void getInputStep()
    {
        ++step;
        input.getInput();
    }

    // Steps until the condition holds or a generous deadline passes.
    void pumpUntil(const std::function<bool()>& done)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            getInputStep();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    bool saw(const std::string& what) const { return count(what) > 0; }
    int count(const std::string& what) const
    {
        int n = 0;
        for (const Seen& s : seen)
            n += s.what == what ? 1 : 0;
        return n;
    }
    int countStartingWith(const std::string& prefix) const
    {
        int n = 0;
        for (const Seen& s : seen)
            n += s.what.compare(0, prefix.size(), prefix) == 0 ? 1 : 0;
        return n;
    }
    std::vector<std::string> inStep(int in_step) const
    {
        std::vector<std::string> events;
        for (const Seen& s : seen)
            if (s.step == in_step)
                events.push_back(s.what);
        return events;
    }
    std::string all() const
    {
        std::string text;
        for (const Seen& s : seen)
            text += std::to_string(s.step) + ": " + s.what + "\n";
        return text;
    }

    zp::WorldManager& world = zp::WorldManager::getInstance();
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    zp::InputManager& input = zp::InputManager::getInstance();
    zp::test::RecordingObject* p_listener = nullptr;
    std::string window_id;
    std::vector<Seen> seen;
    int step = 0;
};

TEST_F(InputWindowTest, KeysGiveSfmlKeyCodes)
{
    xdotool("key --window " + window_id + " 1");
    pumpUntil([&] { return saw("key released 27"); });
    EXPECT_EQ(count("key pressed 27"), 1) << all();
    EXPECT_EQ(count("key released 27"), 1) << all();

    xdotool("key --window " + window_id + " q");
    pumpUntil([&] { return saw("key released 16"); });
    EXPECT_EQ(count("key pressed 16"), 1) << all();
    EXPECT_EQ(count("key released 16"), 1) << all();
}

TEST_F(InputWindowTest, APointerMoveGivesTheCellUnderIt)
{
    xdotool("mousemove --window " + window_id + " 130 64");
    pumpUntil([&] { return saw("mouse moved at 10,2"); });
    EXPECT_TRUE(saw("mouse moved at 10,2")) << all();
    xdotool("mousemove --window " + window_id + " 1023 767");
    pumpUntil([&] { return saw("mouse moved at 79,23"); });
    EXPECT_TRUE(saw("mouse moved at 79,23")) << all();
}

TEST_F(InputWindowTest, AHeldLeftButtonClicksOnceThenIsPressedEveryStep)
{
    xdotool("mousemove --window " + window_id + " 130 64");
    pumpUntil([&] { return saw("mouse moved at 10,2"); });
    xdotool("mousedown 1");
    pumpUntil([&] { return saw("mouse clicked 0 at 10,2"); });
    ASSERT_TRUE(saw("mouse clicked 0 at 10,2")) << all();
    int click_step = 0;
    for (const Seen& s : seen)
        if (s.what == "mouse clicked 0 at 10,2")
            click_step = s.step;

    for (int held = 0; held < 5; ++held)
        getInputStep();
    // The held button is reported in the click's step and every step after,
    // at the event's default place.
    for (int in_step = click_step; in_step <= step; ++in_step) {
        std::vector<std::string> events = inStep(in_step);
        EXPECT_EQ(std::count(events.begin(), events.end(), "mouse pressed 0 at 0,0"), 1)
            << "step " << in_step << "\n"
            << all();
    }

    xdotool("mouseup 1");
    int released_at = step;
    pumpUntil([&] { return inStep(step).empty() && step > released_at + 3; });
    EXPECT_TRUE(inStep(step).empty()) << all();
    EXPECT_EQ(count("mouse clicked 0 at 10,2"), 1) << all();
}

TEST_F(InputWindowTest, ARightClickGivesButtonOneAndNoHeldEvents)
{
    xdotool("mousemove --window " + window_id + " 130 64");
    pumpUntil([&] { return saw("mouse moved at 10,2"); });
    xdotool("click 3");
    pumpUntil([&] { return saw("mouse clicked 1 at 10,2"); });
    EXPECT_TRUE(saw("mouse clicked 1 at 10,2")) << all();
    for (int more = 0; more < 5; ++more)
        getInputStep();
    EXPECT_EQ(countStartingWith("mouse pressed"), 0) << all();
}

TEST_F(InputWindowTest, AHeldKeyIsPressedOnceDownEveryStepAndReleasedOnce)
{
    xdotool("keydown q");
    pumpUntil([&] { return saw("key pressed 16"); });
    ASSERT_TRUE(saw("key pressed 16")) << all();
    // Hold it well past the X server's auto-repeat delay.
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(1200);
    while (std::chrono::steady_clock::now() < until) {
        getInputStep();
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    xdotool("keyup q");
    pumpUntil([&] { return saw("key released 16"); });

    EXPECT_EQ(count("key pressed 16"), 1) << all();
    EXPECT_EQ(count("key released 16"), 1) << all();
    int first = -1, last = -1;
    for (const Seen& s : seen) {
        if (s.what == "key pressed 16" && first < 0)
            first = s.step;
        if (s.what == "key released 16")
            last = s.step;
    }
    // Down in every step from the press on, until the release is seen.
    for (int in_step = first; in_step < last; ++in_step) {
        std::vector<std::string> events = inStep(in_step);
        EXPECT_EQ(std::count(events.begin(), events.end(), "key down 16"), 1) << "step " << in_step;
    }
    EXPECT_GT(count("key down 16"), 10);
}

TEST_F(InputWindowTest, OneStepSendsQueuedEventsThenHeldKeysInOrderThenTheHeldButton)
{
    xdotool("keydown q");
    xdotool("keydown a");
    xdotool("mousedown 1");
    // The next step that reads the click also sees both keys and the button held.
    pumpUntil([&] { return saw("mouse clicked 0 at 39,9"); });
    int click_step = seen.empty() ? -1 : seen.back().step;
    std::vector<std::string> events = inStep(click_step);
    ASSERT_GE(events.size(), 4u) << all();
    std::vector<std::string> tail(events.end() - 4, events.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"mouse clicked 0 at 39,9", "key down 0", "key down 16",
                                              "mouse pressed 0 at 0,0"}))
        << all();
}

// Keys held while another program's window has the focus are that
// program's: typing Q there must not quit the game.
TEST_F(InputWindowTest, HeldKeysAndButtonsCountOnlyWhileTheWindowHasTheFocus)
{
    sf::Window other(sf::VideoMode(200, 100), "Another program");
    const std::string other_id = std::to_string(other.getSystemHandle());
    xdotool("windowfocus --sync " + other_id);
    pumpUntil([&] { return !graphics.getWindow()->hasFocus(); });
    ASSERT_FALSE(graphics.getWindow()->hasFocus());

    xdotool("keydown q");
    xdotool("mousedown 1");
    for (int held = 0; held < 10; ++held) {
        getInputStep();
        sf::Event ignored;
        while (other.pollEvent(ignored)) {
        }
    }
    EXPECT_EQ(countStartingWith("key"), 0) << all();
    EXPECT_EQ(countStartingWith("mouse pressed"), 0) << all();

    // Given the focus back, the keys still held count again.
    xdotool("windowfocus --sync " + window_id);
    pumpUntil([&] { return saw("key down 16") && saw("mouse pressed 0 at 0,0"); });
    EXPECT_TRUE(saw("key down 16")) << all();
    EXPECT_TRUE(saw("mouse pressed 0 at 0,0")) << all();
}

// Input read at the start of a frame comes before the step events of step
// number getStepCount(), at any speed and while paused; so a game can be
// replayed from input recorded with the step count it arrived at.
TEST_F(InputWindowTest, AFramesInputComesBeforeItsWorldSteps)
{
    zp::GameManager& game = zp::GameManager::getInstance();
    std::vector<std::string> journal;
    auto* p_order = new zp::test::RecordingObject;
    p_order->on_event = [&](zp::test::RecordingObject&, const zp::Event* p_event) {
        if (p_event->getType() == zp::STEP_EVENT)
            journal.push_back("step " +
                              std::to_string(static_cast<const zp::EventStep*>(p_event)->getStepCount()));
        else if (describe(p_event).rfind("key pressed", 0) == 0)
            journal.push_back(describe(p_event));
    };
    // Frames until the key has come; each frame's start is journalled with the step count.
    const auto frameUntilKey = [&](const std::string& key) {
        for (int i = 0; i < 600 && std::find(journal.begin(), journal.end(), key) == journal.end(); ++i) {
            journal.push_back("frame " + std::to_string(game.getStepCount()));
            game.frame();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    };

    ASSERT_EQ(game.setStepsPerFrame(4), 0);
    xdotool("key --window " + window_id + " a");
    frameUntilKey("key pressed 0");
    auto key = std::find(journal.begin(), journal.end(), "key pressed 0");
    ASSERT_NE(key, journal.end());
    ASSERT_GE(key - journal.begin(), 1);
    const std::string frame_start = *(key - 1);
    ASSERT_EQ(frame_start.rfind("frame ", 0), 0u) << "nothing of the frame came before the key";
    const int n = std::stoi(frame_start.substr(6));
    EXPECT_EQ(std::vector<std::string>(key + 1, journal.end()),
              (std::vector<std::string>{"step " + std::to_string(n), "step " + std::to_string(n + 1),
                                        "step " + std::to_string(n + 2), "step " + std::to_string(n + 3)}));

    // Paused, the key comes and no step follows; the next step, after the
    // pause, carries the same count as the frame the key came in.
    journal.clear();
    game.setPaused(true);
    xdotool("key --window " + window_id + " b");
    frameUntilKey("key pressed 1");
    ASSERT_GE(journal.size(), 2u);
    EXPECT_EQ(journal.back(), "key pressed 1");
    EXPECT_EQ(journal[journal.size() - 2], "frame " + std::to_string(n + 4));
    game.setPaused(false);
    game.setStepsPerFrame(1);
    game.frame();
    EXPECT_EQ(journal.back(), "step " + std::to_string(n + 4));
}

// The window's close button (a window manager's close request) ends the
// game after the frame; no event reaches the objects.
TEST_F(InputWindowTest, TheCloseButtonEndsTheGame)
{
    zp::GameManager& game = zp::GameManager::getInstance();
    ASSERT_FALSE(game.getGameOver());
    ASSERT_TRUE(zp::test::requestWindowClose(window_id)) << "the window takes close requests";
    pumpUntil([&] { return game.getGameOver(); });
    EXPECT_TRUE(game.getGameOver());
    EXPECT_TRUE(seen.empty()) << all();
    EXPECT_TRUE(graphics.getWindow()->isOpen()) << "the program closes it when it shuts down";
}

TEST_F(InputWindowTest, WithoutAWindowNothingIsRead)
{
    xdotool("keydown q");
    pumpUntil([&] { return saw("key down 16"); });
    ASSERT_TRUE(saw("key down 16"));
    graphics.shutDown();
    seen.clear();
    for (int more = 0; more < 5; ++more)
        getInputStep();
    EXPECT_TRUE(seen.empty()) << all();
}

TEST_F(InputWindowTest, TheLastKeyCodeIsPolledToo)
{
    // Pause is the last key code, 100.
    xdotool("keydown Pause");
    pumpUntil([&] { return saw("key down 100"); });
    xdotool("keyup Pause");
    EXPECT_TRUE(saw("key down 100")) << all();
}

// The held keys are read from the whole keyboard at once; they must be
// exactly the keys that the windowing library, asked key by key, says are
// down, over every part of its key order.
TEST_F(InputWindowTest, HeldKeysAreThoseTheWindowingLibrarySeesDown)
{
    const struct {
        const char* name;
        int code;
    } keys[] = {{"a", 0},      {"9", 35},         {"Escape", 36}, {"Control_L", 37}, {"bracketleft", 46},
                {"grave", 54}, {"BackSpace", 59}, {"KP_Add", 67}, {"Down", 74},      {"KP_5", 80},
                {"F12", 96},   {"Pause", 100}};
    std::string names;
    std::set<int> expected;
    for (const auto& key : keys) {
        names += std::string(" ") + key.name;
        expected.insert(key.code);
    }
    const auto heldInLastStep = [&] {
        std::set<int> held;
        for (const std::string& what : inStep(step))
            if (what.rfind("key down ", 0) == 0)
                held.insert(std::stoi(what.substr(9)));
        return held;
    };
    xdotool("keydown" + names);
    pumpUntil([&] { return heldInLastStep() == expected; });
    std::set<int> library;
    for (int code = 0; code < sf::Keyboard::KeyCount; ++code)
        if (sf::Keyboard::isKeyPressed(static_cast<sf::Keyboard::Key>(code)))
            library.insert(code);
    const std::set<int> polled = heldInLastStep();
    xdotool("keyup" + names);
    EXPECT_EQ(polled, expected) << all();
    EXPECT_EQ(polled, library);
}

} // namespace
