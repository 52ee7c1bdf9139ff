#include "zp/Manager.h"

#include "support/EngineFixture.h"
#include "support/FreshProcess.h"
#include "support/RecordingObject.h"

#include "zp/LogManager.h"
#include "zp/WorldManager.h"

#include <gtest/gtest.h>

namespace {

using zp::test::RecordingObject;

class BroadcastTest : public zp::test::EngineFixture {
protected:
    zp::WorldManager& world = zp::WorldManager::getInstance();
    zp::Event event;
};

TEST_F(BroadcastTest, EveryObjectInWorldOrderButNotThoseCreatedMeanwhile)
{
    std::vector<std::string> order;
    auto* p_first = new RecordingObject(&order, "first");
    auto* p_second = new RecordingObject(&order, "second");
    RecordingObject* p_newcomer = nullptr;
    p_first->on_event = [&](RecordingObject&, const zp::Event*) {
        order.push_back("first");
        if (p_newcomer == nullptr)
            p_newcomer = new RecordingObject;
    };
    p_second->on_event = [&](RecordingObject&, const zp::Event*) { order.push_back("second"); };

    world.onEvent(&event);

    EXPECT_EQ(order, (std::vector<std::string>{"first", "second"}));
    ASSERT_NE(p_newcomer, nullptr);
    EXPECT_TRUE(p_newcomer->events.empty());
}

TEST_F(BroadcastTest, AnObjectMarkedByAnEarlierHandlerStillReceivesTheEvent)
{
    auto* p_marker = new RecordingObject;
    auto* p_marked = new RecordingObject;
    p_marker->on_event = [&](RecordingObject&, const zp::Event*) { world.markForDelete(p_marked); };
    world.onEvent(&event);
    EXPECT_EQ(p_marked->count(zp::UNDEFINED_EVENT), 1);
}

TEST_F(BroadcastTest, AnEmptyWorldIsFine)
{
    world.onEvent(&event);
    EXPECT_TRUE(world.getAllObjects().isEmpty());
}

TEST(ManagerBase, StartedFromConstructionAndNamedByItsKind)
{
    ZP_EXPECT_IN_FRESH_PROCESS({
        zp::LogManager& log = zp::LogManager::getInstance();
        EXPECT_TRUE(log.isStarted());
        EXPECT_EQ(log.getType(), "LogManager");
        EXPECT_EQ(zp::WorldManager::getInstance().getType(), "WorldManager");
        log.shutDown();
        EXPECT_FALSE(log.isStarted());
    });
}

} // namespace
