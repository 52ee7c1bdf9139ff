#include "zp/WorldManager.h"

#include "support/EngineFixture.h"
#include "support/RecordingObject.h"
#include "support/RunDir.h"

#include "zp/EventCollision.h"
#include "zp/EventOut.h"
#include "zp/Frame.h"
#include "zp/GameManager.h"
#include "zp/ObjectListIterator.h"
#include "zp/Sprite.h"
#include "zp/Utility.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using zp::Box;
using zp::Position;
using zp::test::RecordingObject;

class WorldTest : public zp::test::EngineFixture {
protected:
    RecordingObject* at(Position pos, zp::Solidness solidness = zp::HARD)
    {
        auto* p_o = new RecordingObject(&journal, "#" + std::to_string(next_name++));
        p_o->setPosition(pos);
        p_o->setSolidness(solidness);
        return p_o;
    }

    zp::WorldManager& world = zp::WorldManager::getInstance();
    std::vector<std::string> journal;
    int next_name = 0;
};

TEST_F(WorldTest, OverlappingHardObjectsGetTwoCollisionsEachPerUpdateAndStay)
{
    RecordingObject* p_a = at(Position(10, 10));
    RecordingObject* p_b = at(Position(10, 10));
    for (int update = 1; update <= 3; ++update) {
        world.update();
        EXPECT_EQ(p_a->count(zp::COLLISION_EVENT), 2 * update);
        EXPECT_EQ(p_b->count(zp::COLLISION_EVENT), 2 * update);
    }
    EXPECT_EQ(p_a->getPosition(), Position(10, 10));
    EXPECT_EQ(p_b->getPosition(), Position(10, 10));
}

TEST_F(WorldTest, MovesBySolidness)
{
    const struct {
        zp::Solidness mover;
        zp::Solidness obstacle;
        int result;
        int collisions;
    } cases[] = {
        {zp::HARD, zp::HARD, -1, 1},        {zp::HARD, zp::SOFT, 0, 1},     {zp::SOFT, zp::HARD, 0, 1},
        {zp::SOFT, zp::SOFT, 0, 1},         {zp::SPECTRAL, zp::HARD, 0, 0}, {zp::HARD, zp::SPECTRAL, 0, 0},
        {zp::SPECTRAL, zp::SPECTRAL, 0, 0},
    };
    for (const auto& c : cases) {
        world.shutDown();
        world.startUp();
        RecordingObject* p_mover = at(Position(0, 5), c.mover);
        RecordingObject* p_obstacle = at(Position(5, 5), c.obstacle);
        Position collided_at;
        zp::Object *p_first = nullptr, *p_second = nullptr;
        p_mover->on_event = [&](RecordingObject&, const zp::Event* p_e) {
            if (p_e->getType() != zp::COLLISION_EVENT)
                return;
            auto* p_c = static_cast<const zp::EventCollision*>(p_e);
            collided_at = p_c->getPosition();
            p_first = p_c->getObject1();
            p_second = p_c->getObject2();
        };
        const Position target(4, 5); // the 1x1 box reaches column 5
        EXPECT_EQ(world.moveObject(p_mover, target), c.result) << c.mover << "->" << c.obstacle;
        EXPECT_EQ(p_mover->getPosition(), c.result == 0 ? target : Position(0, 5));
        EXPECT_EQ(p_mover->count(zp::COLLISION_EVENT), c.collisions);
        EXPECT_EQ(p_obstacle->count(zp::COLLISION_EVENT), c.collisions);
        if (c.collisions > 0) {
            EXPECT_EQ(collided_at, target);
            EXPECT_EQ(p_first, p_mover);
            EXPECT_EQ(p_second, p_obstacle);
        }
    }
}

TEST_F(WorldTest, OutEventsOnlyBeyondTheWindow)
{
    const struct {
        Position pos;
        bool out;
    } cases[] = {
        {Position(80, 5), false}, {Position(81, 5), true}, {Position(-1, 5), true}, {Position(0, 0), false},
        {Position(5, 24), false}, {Position(5, 25), true}, {Position(5, -1), true}, {Position(79, 23), false},
    };
    for (const auto& c : cases) {
        RecordingObject* p_o = at(c.pos, zp::SPECTRAL);
        world.update();
        world.update();
        EXPECT_EQ(p_o->count(zp::OUT_EVENT), c.out ? 2 : 0) << c.pos.getX() << "," << c.pos.getY();
        world.markForDelete(p_o);
        world.update();
    }
}

TEST_F(WorldTest, VelocityMovesObjectsEveryUpdate)
{
    RecordingObject* p_o = at(Position(10, 10), zp::SPECTRAL);
    p_o->setXVelocity(0.5f);
    p_o->setYVelocity(-1.0f);
    world.update();
    world.update();
    EXPECT_EQ(p_o->getPosition(), Position(11, 8));
}

TEST_F(WorldTest, MarkingTwiceDeletesOnceAndObjectsLiveUntilTheNextUpdate)
{
    int destroyed = 0;
    RecordingObject* p_o = at(Position(1, 1));
    p_o->p_destroyed = &destroyed;
    EXPECT_EQ(world.markForDelete(p_o), 0);
    EXPECT_EQ(world.markForDelete(p_o), 0);
    EXPECT_EQ(world.getAllObjects().getCount(), 1);
    world.draw();
    EXPECT_EQ(p_o->draws, 1); // still fully alive
    world.update();
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(world.getAllObjects().isEmpty());
    world.update();
    EXPECT_EQ(destroyed, 1);
}

TEST_F(WorldTest, MarkedObjectsAreDeletedBeforeTheMoves)
{
    RecordingObject* p_blocker = at(Position(5, 5));
    RecordingObject* p_mover = at(Position(4, 5));
    world.markForDelete(p_blocker);
    p_mover->setXVelocity(1);
    world.update();
    EXPECT_EQ(p_mover->getPosition(), Position(5, 5));
    EXPECT_EQ(p_mover->count(zp::COLLISION_EVENT), 0);
}

TEST_F(WorldTest, ObjectMarkedInItsStepHandlerIsNotDrawn)
{
    auto& game = zp::GameManager::getInstance();
    RecordingObject* p_o = at(Position(1, 1));
    int destroyed = 0;
    p_o->p_destroyed = &destroyed;
    p_o->on_step = [this](RecordingObject& self) { world.markForDelete(&self); };
    game.frame();
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(journal.empty());
}

TEST_F(WorldTest, ObjectMarkedDuringACollisionIsDrawnOnceMore)
{
    RecordingObject* p_a = at(Position(3, 3));
    RecordingObject* p_b = at(Position(3, 3), zp::SOFT);
    int destroyed = 0;
    p_b->p_destroyed = &destroyed;
    p_b->on_event = [this](RecordingObject& self, const zp::Event* p_e) {
        if (p_e->getType() == zp::COLLISION_EVENT)
            world.markForDelete(&self);
    };
    zp::GameManager::getInstance().frame();
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(p_b->draws, 1);
    zp::GameManager::getInstance().frame();
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(p_a->draws, 2);
}

TEST_F(WorldTest, ObjectsCreatedDuringTheMoveWalkAreMovedInTheSameWalk)
{
    RecordingObject* p_spawner = at(Position(0, 0), zp::SPECTRAL);
    RecordingObject* p_child = nullptr;
    p_spawner->on_event = [&](RecordingObject&, const zp::Event* p_e) {
        if (p_e->getType() == zp::OUT_EVENT && p_child == nullptr) {
            p_child = at(Position(10, 10), zp::SPECTRAL);
            p_child->setXVelocity(1);
        }
    };
    p_spawner->setPosition(Position(-5, 0));
    world.update();
    ASSERT_NE(p_child, nullptr);
    EXPECT_EQ(p_child->getPosition(), Position(11, 10));
}

TEST_F(WorldTest, DrawOrderFollowsAltitudeWithAltitudeZeroInEveryPass)
{
    const int altitudes[] = {3, 0, 1, 5, 1, 2, 4};
    for (int altitude : altitudes)
        at(Position(1, 1), zp::SPECTRAL)->setAltitude(altitude);
    world.draw();
    // Names are creation numbers; altitude 0 (#1) comes after every pass.
    const std::vector<std::string> expected = {"#1", "#2", "#4", "#1", "#5", "#0",
                                               "#1", "#1", "#6", "#1", "#3", "#1"};
    EXPECT_EQ(journal, expected);
}

TEST_F(WorldTest, AnimationSpeedDependsOnHowOftenAnObjectIsDrawn)
{
    zp::Sprite sprite(10);
    for (int i = 0; i < 10; ++i)
        sprite.pushFrame(zp::Frame(1, 1, "x"));
    const struct {
        int altitude;
        int frames_per_draw;
    } cases[] = {{0, 6}, {2, 1}};
    for (const auto& c : cases) {
        RecordingObject* p_o = at(Position(1, 1), zp::SPECTRAL);
        p_o->setSprite(&sprite);
        p_o->setSpriteSlowdown(1);
        p_o->setAltitude(c.altitude);
        world.draw();
        EXPECT_EQ(p_o->getSpriteIndex(), c.frames_per_draw) << "altitude " << c.altitude;
        world.markForDelete(p_o);
        world.update();
    }
}

TEST_F(WorldTest, ObjectsOutsideTheViewAreNotDrawn)
{
    world.setView(Box(Position(0, 0), 20, 10));
    const struct {
        Position pos;
        int box_width;
        bool drawn;
    } cases[] = {
        // A view 20 wide covers columns 0 ... 20 in the inclusive box test.
        {Position(5, 5), 1, true},   {Position(25, 5), 1, false}, {Position(20, 5), 1, true},
        {Position(21, 5), 1, false}, {Position(-2, 5), 2, true},  {Position(-3, 5), 2, false},
        {Position(5, 30), 1, false},
    };
    for (const auto& c : cases) {
        RecordingObject* p_o = at(c.pos, zp::SPECTRAL);
        p_o->setBox(Box(Position(0, 0), c.box_width, 1));
        world.draw();
        EXPECT_EQ(p_o->draws, c.drawn ? 1 : 0) << c.pos.getX() << "," << c.pos.getY();
        world.markForDelete(p_o);
        world.update();
    }
}

TEST_F(WorldTest, ViewPositionIsClampedToTheBoundary)
{
    world.setBoundary(Box(Position(0, 0), 40, 30));
    world.setView(Box(Position(0, 0), 10, 10));
    const struct {
        Position centre;
        Position corner;
    } cases[] = {
        {Position(3, 3), Position(0, 0)},     {Position(38, 3), Position(30, 0)},
        {Position(20, 15), Position(15, 10)}, {Position(100, 100), Position(30, 20)},
        {Position(-50, -50), Position(0, 0)},
    };
    for (const auto& c : cases) {
        world.setViewPosition(c.centre);
        EXPECT_EQ(world.getView().getCorner(), c.corner) << c.centre.getX() << "," << c.centre.getY();
        EXPECT_EQ(world.getView().getHorizontal(), 10);
    }
}

TEST_F(WorldTest, ViewFollowsAnObjectInTheWorldOnly)
{
    world.setBoundary(Box(Position(0, 0), 200, 24));
    world.setView(Box(Position(0, 0), 80, 24));
    RecordingObject* p_o = at(Position(100, 10), zp::SPECTRAL);
    EXPECT_EQ(world.setViewFollowing(p_o), 0);
    EXPECT_EQ(world.getView().getCorner().getX(), 60);
    world.moveObject(p_o, Position(150, 10));
    EXPECT_EQ(world.getView().getCorner().getX(), 110);

    zp::Object outsider_storage_check;
    world.removeObject(&outsider_storage_check);
    EXPECT_EQ(world.setViewFollowing(&outsider_storage_check), -1);
    EXPECT_EQ(world.setViewFollowing(nullptr), 0);
    world.moveObject(p_o, Position(10, 10));
    EXPECT_EQ(world.getView().getCorner().getX(), 110);
}

TEST_F(WorldTest, ObjectsInRangeUseTheScaledDistanceAndTheExactType)
{
    RecordingObject* p_centre = at(Position(20, 10), zp::SPECTRAL);
    const struct {
        Position pos;
        const char* type;
        bool found;
    } cases[] = {
        {Position(20, 12), "Enemy", true},  {Position(20, 13), "Enemy", false},
        {Position(25, 10), "Enemy", true},  {Position(26, 10), "Enemy", false},
        {Position(20, 12), "enemy", false}, {Position(17, 8), "Enemy", true},
    };
    std::vector<zp::Object*> expected;
    for (const auto& c : cases) {
        RecordingObject* p_o = at(c.pos, zp::SPECTRAL);
        p_o->setType(c.type);
        if (c.found)
            expected.push_back(p_o);
    }
    const auto p_found = world.getObjectsInRange(*p_centre, 5, "Enemy");
    std::vector<zp::Object*> found;
    for (zp::ObjectListIterator it(p_found.get()); !it.isDone(); it.next())
        found.push_back(it.currentObject());
    EXPECT_EQ(found, expected);

    p_centre->setType("Enemy");
    EXPECT_EQ(world.getObjectsInRange(*p_centre, 0, "Enemy")->getCount(), 1);
}

TEST_F(WorldTest, RemovedObjectsGetNoEventsAndMarkedRemovedObjectsAreStillFreed)
{
    int destroyed = 0;
    RecordingObject* p_o = at(Position(2, 2));
    p_o->p_destroyed = &destroyed;
    EXPECT_EQ(world.removeObject(p_o), 0);
    EXPECT_EQ(world.removeObject(p_o), -1);
    world.markForDelete(p_o);
    zp::GameManager::getInstance().frame();
    EXPECT_EQ(destroyed, 1);
}

// Objects out of the world may wait for deletion in any number (a frame
// with a flood of clicks ends thousands of build cursors): no mark is lost,
// and one marked again after its walk began is deleted once.
TEST_F(WorldTest, MarksOfObjectsTakenOutOfTheWorldAreNeverLost)
{
    const int removed = zp::MAX_OBJECTS + 1000;
    int destroyed = 0;
    for (int i = 0; i < removed; ++i) {
        RecordingObject* p_o = at(Position(i % 80, 3));
        p_o->p_destroyed = &destroyed;
        world.removeObject(p_o);
        world.markForDelete(p_o);
        world.markForDelete(p_o);
    }
    EXPECT_TRUE(world.getAllObjects().isEmpty());
    world.update();
    EXPECT_EQ(destroyed, removed);

    // A destructor that marks an object of the same walk, still to come.
    RecordingObject* p_first = at(Position(1, 1));
    RecordingObject* p_second = at(Position(2, 1));
    p_first->p_destroyed = &destroyed;
    p_second->p_destroyed = &destroyed;
    p_first->on_destroy = [&] { world.markForDelete(p_second); };
    world.markForDelete(p_first);
    world.markForDelete(p_second);
    world.update();
    EXPECT_EQ(destroyed, removed + 2);
    world.update();
    EXPECT_EQ(destroyed, removed + 2);
}

TEST_F(WorldTest, ShutDownDeletesEveryObjectIncludingThoseMadeByDestructors)
{
    int destroyed = 0;
    for (int i = 0; i < 3; ++i)
        at(Position(i, 0))->p_destroyed = &destroyed;
    auto* p_parent = at(Position(9, 9));
    p_parent->p_destroyed = &destroyed;
    p_parent->on_destroy = [&] { at(Position(8, 8))->p_destroyed = &destroyed; };
    world.shutDown();
    EXPECT_EQ(destroyed, 5);
    EXPECT_TRUE(world.getAllObjects().isEmpty());
    world.startUp();
}

TEST_F(WorldTest, WorldBoxAndViewConversions)
{
    RecordingObject* p_o = at(Position(7, 4));
    p_o->setBox(Box(Position(-1, -2), 3, 2));
    const Box world_box = zp::getWorldBox(p_o);
    EXPECT_EQ(world_box.getCorner(), Position(6, 2));
    EXPECT_EQ(world_box.getHorizontal(), 3);
    EXPECT_EQ(zp::getWorldBox(p_o, Position(0, 0)).getCorner(), Position(-1, -2));

    world.setBoundary(Box(Position(0, 0), 200, 100));
    world.setView(Box(Position(30, 10), 80, 24));
    EXPECT_EQ(zp::worldToView(Position(35, 12)), Position(5, 2));
    EXPECT_EQ(zp::viewToWorld(Position(5, 2)), Position(5, 2)); // boundary corner, not the view's
}

// An object created into a full world is refused: it never takes part, the
// log says so, and the world deletes it at its next update (or shut-down)
// unless its creator already did, so it is never lost.
TEST_F(WorldTest, AnObjectBeyondAFullWorldIsRefusedAndNeverLost)
{
    enum class Fate { NEXT_UPDATE, DELETED_BY_ITS_CREATOR, SHUT_DOWN };
    const struct {
        const char* name;
        Fate fate;
    } cases[] = {
        {"the world deletes it at its next update", Fate::NEXT_UPDATE},
        {"its creator deletes it first", Fate::DELETED_BY_ITS_CREATOR},
        {"the world's shut-down deletes it", Fate::SHUT_DOWN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(world.startUp(), 0);
        // Spectral fillers: no collision tests, so an update stays quick.
        for (int i = 0; i < zp::MAX_OBJECTS - 1; ++i)
            (new RecordingObject)->setSolidness(zp::SPECTRAL);
        ASSERT_EQ(world.getAllObjects().getCount(), 4999);

        int destroyed = 0;
        auto* p_outsider = new RecordingObject;
        p_outsider->p_destroyed = &destroyed;
        EXPECT_EQ(world.getAllObjects().getCount(), 4999);
        EXPECT_NE(zp::test::logTail(1).find("World full (4999 objects): object " +
                                            std::to_string(p_outsider->getId()) +
                                            " refused, deleted at the next update"),
                  std::string::npos)
            << zp::test::logTail(1);
        const zp::Event anything;
        world.onEvent(&anything);
        world.draw();
        EXPECT_TRUE(p_outsider->events.empty());
        EXPECT_EQ(p_outsider->draws, 0);

        switch (c.fate) {
        case Fate::NEXT_UPDATE:
            world.update();
            EXPECT_EQ(destroyed, 1);
            EXPECT_EQ(world.getAllObjects().getCount(), 4999);
            break;
        case Fate::DELETED_BY_ITS_CREATOR:
            delete p_outsider;
            world.update();
            EXPECT_EQ(destroyed, 1); // once: the world forgot it
            break;
        case Fate::SHUT_DOWN:
            break;
        }
        world.shutDown();
        EXPECT_EQ(destroyed, 1);
        EXPECT_TRUE(world.getAllObjects().isEmpty());
    }
}

TEST_F(WorldTest, TheMovingObjectHearsOfEachCollisionBeforeTheOtherOne)
{
    std::vector<std::string> heard;
    RecordingObject* p_mover = at(Position(0, 5));
    RecordingObject* p_first = at(Position(2, 5), zp::SOFT);
    RecordingObject* p_second = at(Position(2, 6), zp::SOFT);
    const auto listen = [&heard](const std::string& name) {
        return [&heard, name](RecordingObject&, const zp::Event* p_e) {
            if (p_e->getType() == zp::COLLISION_EVENT) {
                auto* p_c = static_cast<const zp::EventCollision*>(p_e);
                heard.push_back(name + " of " + std::to_string(p_c->getObject2()->getId()));
            }
        };
    };
    p_mover->on_event = listen("mover");
    p_first->on_event = listen("first");
    p_second->on_event = listen("second");

    EXPECT_EQ(world.moveObject(p_mover, Position(1, 5)), 0);
    const std::string first_id = std::to_string(p_first->getId());
    const std::string second_id = std::to_string(p_second->getId());
    // One event per other object, in world order, each to the mover first.
    EXPECT_EQ(heard, (std::vector<std::string>{"mover of " + first_id, "first of " + first_id,
                                               "mover of " + second_id, "second of " + second_id}));
}

TEST_F(WorldTest, MarkedObjectsAreDeletedInTheOrderTheyWereMarked)
{
    std::vector<std::string> deleted;
    RecordingObject* p_a = at(Position(1, 1));
    RecordingObject* p_b = at(Position(3, 1));
    RecordingObject* p_c = at(Position(5, 1));
    p_a->on_destroy = [&] { deleted.push_back("a"); };
    p_b->on_destroy = [&] { deleted.push_back("b"); };
    p_c->on_destroy = [&] { deleted.push_back("c"); };
    world.markForDelete(p_b);
    world.markForDelete(p_c);
    world.markForDelete(p_a);
    world.update();
    EXPECT_EQ(deleted, (std::vector<std::string>{"b", "c", "a"}));
}

} // namespace
