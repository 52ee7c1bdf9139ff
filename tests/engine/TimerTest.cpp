// Timers: an object asks for an event N world steps from now. They are
// counted in world steps, so pause, speed and replay keep them exact.
#include "support/EngineFixture.h"
#include "support/RecordingObject.h"

#include "zp/EventCollision.h"
#include "zp/EventTimer.h"
#include "zp/GameManager.h"
#include "zp/WorldManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using zp::test::RecordingObject;

class TimerTest : public zp::test::EngineFixture {
protected:
    void TearDown() override
    {
        game.setPaused(false);
        game.setStepsPerFrame(1);
        EngineFixture::TearDown();
    }

    // An object that notes "<step>:<event>" for step, timer and collision events.
    RecordingObject* noting(std::vector<std::string>& notes, const std::string& who = "")
    {
        auto* p_o = new RecordingObject;
        p_o->on_event = [&notes, who](RecordingObject&, const zp::Event* p_e) {
            const int step = zp::GameManager::getInstance().getStepCount();
            if (const auto* p_timer = zp::eventAs<zp::EventTimer>(p_e))
                notes.push_back(who + std::to_string(p_timer->getStepCount()) + ":timer " +
                                p_timer->getName());
            else if (p_e->getType() == zp::STEP_EVENT || p_e->getType() == zp::COLLISION_EVENT)
                notes.push_back(who + std::to_string(step) + ":" + p_e->getType());
        };
        return p_o;
    }

    zp::GameManager& game = zp::GameManager::getInstance();
};

TEST_F(TimerTest, ATimerComesInItsStepAfterTheStepEventsAndBeforeTheUpdate)
{
    std::vector<std::string> notes;
    RecordingObject* p_o = noting(notes);
    new RecordingObject; // stands on it: a collision in every update
    const int start = game.getStepCount();
    ASSERT_EQ(p_o->startTimer("ring", 2), 0);
    EXPECT_EQ(p_o->getTimerSteps("ring"), 2);
    game.worldStep();
    EXPECT_EQ(p_o->getTimerSteps("ring"), 1);
    game.worldStep();
    game.worldStep();
    const std::string s0 = std::to_string(start), s1 = std::to_string(start + 1),
                      s2 = std::to_string(start + 2);
    // Two collisions an update: as the one that moves, and as the one run into.
    const std::string c = ":zp:collision";
    EXPECT_EQ(notes, (std::vector<std::string>{
                         s0 + ":zp::step", s0 + c, s0 + c,                     //
                         s1 + ":zp::step", s1 + c, s1 + c,                     //
                         s2 + ":zp::step", s2 + ":timer ring", s2 + c, s2 + c, //
                     }));
    EXPECT_EQ(p_o->getTimerSteps("ring"), -1) << "a single timer ends when it comes";
}

TEST_F(TimerTest, RepeatingTimersComeEveryNStepsUntilStoppedOrStartedAgain)
{
    std::vector<std::string> notes;
    RecordingObject* p_o = noting(notes);
    const int start = game.getStepCount();
    p_o->startTimer("tick", 3, true);
    p_o->startTimer("once", 4);
    for (int i = 0; i < 7; ++i)
        game.worldStep();
    // Started again: counted from now, the old one forgotten.
    p_o->startTimer("tick", 2, true);
    for (int i = 0; i < 5; ++i)
        game.worldStep();
    EXPECT_EQ(p_o->stopTimer("tick"), 0);
    EXPECT_EQ(p_o->stopTimer("tick"), -1);
    for (int i = 0; i < 4; ++i)
        game.worldStep();

    std::vector<std::string> timers;
    for (const std::string& note : notes)
        if (note.find("timer") != std::string::npos)
            timers.push_back(note);
    const auto at = [start](int step, const char* name) {
        return std::to_string(start + step) + ":timer " + name;
    };
    EXPECT_EQ(timers, (std::vector<std::string>{at(3, "tick"), at(4, "once"), at(6, "tick"), at(9, "tick"),
                                                at(11, "tick")}));
}

TEST_F(TimerTest, TimersOfOneStepComeInTheOrderTheyWereStarted)
{
    std::vector<std::string> notes;
    RecordingObject* p_a = noting(notes, "a@");
    RecordingObject* p_b = noting(notes, "b@");
    const int start = game.getStepCount();
    p_b->startTimer("first", 2);
    p_a->startTimer("second", 2);
    p_b->startTimer("third", 2);
    p_a->startTimer("early", 1);
    for (int i = 0; i < 3; ++i)
        game.worldStep();
    std::vector<std::string> timers;
    for (const std::string& note : notes)
        if (note.find("timer") != std::string::npos)
            timers.push_back(note);
    const std::string s1 = std::to_string(start + 1), s2 = std::to_string(start + 2);
    EXPECT_EQ(timers, (std::vector<std::string>{"a@" + s1 + ":timer early", "b@" + s2 + ":timer first",
                                                "a@" + s2 + ":timer second", "b@" + s2 + ":timer third"}));
}

TEST_F(TimerTest, PauseHoldsTimersAndSpeedKeepsThemOnTheirStep)
{
    std::vector<int> came_at;
    auto* p_o = new RecordingObject;
    p_o->on_event = [&](RecordingObject&, const zp::Event* p_e) {
        if (const auto* p_timer = zp::eventAs<zp::EventTimer>(p_e))
            came_at.push_back(p_timer->getStepCount());
    };
    const int start = game.getStepCount();
    p_o->startTimer("every 5", 5, true);
    game.setPaused(true);
    for (int i = 0; i < 20; ++i)
        game.frame();
    EXPECT_TRUE(came_at.empty()) << "paused, no world step and no timer";
    EXPECT_EQ(p_o->getTimerSteps("every 5"), 5);
    game.setPaused(false);
    game.setStepsPerFrame(4);
    for (int i = 0; i < 4; ++i)
        game.frame();
    EXPECT_EQ(game.getStepCount(), start + 16);
    EXPECT_EQ(came_at, (std::vector<int>{start + 5, start + 10, start + 15}));
}

TEST_F(TimerTest, AnObjectsTimersEndWithIt)
{
    int timer_events = 0;
    int destroyed = 0;
    auto* p_o = new RecordingObject;
    p_o->p_destroyed = &destroyed;
    p_o->on_event = [&](RecordingObject&, const zp::Event* p_e) {
        timer_events += zp::eventAs<zp::EventTimer>(p_e) != nullptr ? 1 : 0;
    };
    p_o->startTimer("after", 2);
    p_o->startTimer("again", 1, true);
    game.worldStep();
    EXPECT_EQ(timer_events, 0);
    // Marked, it still gets what comes before its deletion: the step's timers.
    zp::WorldManager::getInstance().markForDelete(p_o);
    game.worldStep();
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(timer_events, 1);
    for (int i = 0; i < 4; ++i)
        game.worldStep();
    EXPECT_EQ(timer_events, 1) << "a deleted object gets no timer event";
}

TEST_F(TimerTest, AnObjectTakenOutOfTheWorldGetsNoTimerEvent)
{
    int timer_events = 0;
    auto* p_o = new RecordingObject;
    p_o->on_event = [&](RecordingObject&, const zp::Event* p_e) {
        timer_events += zp::eventAs<zp::EventTimer>(p_e) != nullptr ? 1 : 0;
    };
    p_o->startTimer("later", 2);
    zp::WorldManager::getInstance().removeObject(p_o);
    EXPECT_EQ(p_o->getTimerSteps("later"), -1);
    for (int i = 0; i < 4; ++i)
        game.worldStep();
    EXPECT_EQ(timer_events, 0);
    EXPECT_EQ(p_o->startTimer("again", 1), -1) << "not in the world: no timer";
    zp::WorldManager::getInstance().markForDelete(p_o);
}

TEST_F(TimerTest, AHandlerMayStartItsTimerAgainFromTheTimerEvent)
{
    std::vector<int> came_at;
    auto* p_o = new RecordingObject;
    p_o->on_event = [&](RecordingObject& self, const zp::Event* p_e) {
        if (const auto* p_timer = zp::eventAs<zp::EventTimer>(p_e)) {
            came_at.push_back(p_timer->getStepCount());
            // Each time one step later than the last.
            self.startTimer("slower", int(came_at.size()) + 1);
        }
    };
    const int start = game.getStepCount();
    p_o->startTimer("slower", 1);
    for (int i = 0; i < 10; ++i)
        game.worldStep();
    EXPECT_EQ(came_at, (std::vector<int>{start + 1, start + 3, start + 6}));
}

} // namespace
