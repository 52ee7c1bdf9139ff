#include "zp/Event.h"

#include "zp/EventCollision.h"
#include "zp/EventKeyboard.h"
#include "zp/EventMouse.h"
#include "zp/EventOut.h"
#include "zp/EventStep.h"
#include "zp/EventTimer.h"
#include "zp/EventView.h"

#include <gtest/gtest.h>

namespace {

TEST(Events, TypeStringsOfFreshEvents)
{
    const zp::Event base;
    const zp::EventStep step;
    const zp::EventOut out;
    const zp::EventCollision collision;
    const zp::EventKeyboard keyboard;
    const zp::EventMouse mouse;
    const struct {
        const zp::Event& event;
        const char* type;
    } cases[] = {
        {base, "zp::undefined"},     {step, "zp::step"},         {out, "zp::out"},
        {collision, "zp:collision"}, {keyboard, "zp::keyboard"}, {mouse, "zp::mouse"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.event.getType(), c.type);
}

TEST(Events, CollisionTypeHasOneColonAndMatchesNoTwoColonSpelling)
{
    EXPECT_EQ(zp::COLLISION_EVENT, "zp:collision");
    EXPECT_NE(zp::EventCollision().getType(), "zp::collision");
}

TEST(Events, DefaultFields)
{
    const zp::EventCollision collision;
    EXPECT_EQ(collision.getObject1(), nullptr);
    EXPECT_EQ(collision.getObject2(), nullptr);
    EXPECT_EQ(collision.getPosition(), zp::Position(0, 0));
    EXPECT_EQ(zp::EventStep().getStepCount(), 0);
    EXPECT_EQ(zp::EventMouse().getMousePosition(), zp::Position(0, 0));
}

// eventAs gives the event as its class exactly when the type string and
// the class agree; for anything else it gives nullptr.
TEST(Events, EventAsConvertsOnlyToTheEventsOwnClass)
{
    const zp::Event base;
    const zp::EventStep step(4);
    const zp::EventOut out;
    const zp::EventCollision collision;
    const zp::EventKeyboard keyboard;
    const zp::EventMouse mouse;
    const zp::EventView view("Lives:", -1, true);
    const zp::EventTimer timer("spawn", 12);
    // A plain event that only claims an engine type is none of its class.
    zp::Event impostor;
    impostor.setType(zp::KEYBOARD_EVENT);
    // An engine class sent under a game's type string is that type, not the class's.
    zp::EventKeyboard retyped;
    retyped.setType("Shortcut");
    const zp::Event* const events[] = {&base,  &step, &out,   &collision, &keyboard,
                                       &mouse, &view, &timer, &impostor,  &retyped};

    const struct {
        const char* name;
        const zp::Event* (*as)(const zp::Event*);
        const zp::Event* converts;
    } cases[] = {
        {"EventStep", [](const zp::Event* p) -> const zp::Event* { return zp::eventAs<zp::EventStep>(p); },
         &step},
        {"EventOut", [](const zp::Event* p) -> const zp::Event* { return zp::eventAs<zp::EventOut>(p); },
         &out},
        {"EventCollision",
         [](const zp::Event* p) -> const zp::Event* { return zp::eventAs<zp::EventCollision>(p); },
         &collision},
        {"EventKeyboard",
         [](const zp::Event* p) -> const zp::Event* { return zp::eventAs<zp::EventKeyboard>(p); }, &keyboard},
        {"EventMouse", [](const zp::Event* p) -> const zp::Event* { return zp::eventAs<zp::EventMouse>(p); },
         &mouse},
        {"EventView", [](const zp::Event* p) -> const zp::Event* { return zp::eventAs<zp::EventView>(p); },
         &view},
        {"EventTimer", [](const zp::Event* p) -> const zp::Event* { return zp::eventAs<zp::EventTimer>(p); },
         &timer},
    };
    for (const auto& c : cases) {
        for (const zp::Event* p_event : events)
            EXPECT_EQ(c.as(p_event), p_event == c.converts ? p_event : nullptr)
                << "eventAs<" << c.name << "> of a \"" << p_event->getType() << "\" event";
        EXPECT_EQ(c.as(nullptr), nullptr) << c.name;
    }
    EXPECT_EQ(zp::eventAs<zp::EventStep>(&step)->getStepCount(), 4);
}

// A game's own event class takes part with a static eventType().
class EventGameOver : public zp::Event {
public:
    static const std::string& eventType()
    {
        static const std::string type = "GameOver";
        return type;
    }
    EventGameOver() { setType(eventType()); }
};

TEST(Events, EventAsServesAGamesOwnEventClass)
{
    const EventGameOver over;
    zp::Event plain;
    plain.setType("GameOver");
    EXPECT_EQ(zp::eventAs<EventGameOver>(&over), &over);
    EXPECT_EQ(zp::eventAs<EventGameOver>(&plain), nullptr);
    EXPECT_EQ(zp::eventAs<zp::EventKeyboard>(&over), nullptr);
}

} // namespace
