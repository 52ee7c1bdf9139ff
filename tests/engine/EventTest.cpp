#include "zp/Event.h"

#include "zp/EventCollision.h"
#include "zp/EventKeyboard.h"
#include "zp/EventMouse.h"
#include "zp/EventOut.h"
#include "zp/EventStep.h"

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

} // namespace
