#include "zp/WorldManager.h"

#include "BroadPhase.h"
#include "LoopThread.h"
#include "TimerQueue.h"

#include "zp/EventCollision.h"
#include "zp/EventOut.h"
#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/LogManager.h"
#include "zp/Object.h"
#include "zp/ObjectListIterator.h"
#include "zp/Utility.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>

namespace zp {
namespace {

// Destructors may create objects during shut-down; this bounds the clean-up
// should they keep doing so.
constexpr int MAX_SHUTDOWN_DELETIONS = 1000000;

bool contains(const ObjectList& list, const Object* p_o)
{
    for (ObjectListIterator it(&list); !it.isDone(); it.next())
        if (it.currentObject() == p_o)
            return true;
    return false;
}

// The corner that centres a view of `view_size` on `centre` within `boundary_size`.
int clampedViewStart(int centre, int view_size, int boundary_size)
{
    int start = centre - view_size / 2;
    if (start + view_size > boundary_size)
        start = boundary_size - view_size;
    if (start < 0)
        start = 0;
    return start;
}

} // namespace

WorldManager::WorldManager()
    : p_broad_phase(std::make_unique<BroadPhase>(&updates)), p_timers(std::make_unique<TimerQueue>())
{
    setType("WorldManager");
}

WorldManager::~WorldManager() = default;

WorldManager& WorldManager::getInstance()
{
    static WorldManager instance;
    return instance;
}

int WorldManager::startUp()
{
    claimLoopThread();
    // The list is emptied, but what was made before the engine started is
    // named and, like a refused object, deleted at the next update.
    const ObjectList made_before = updates;
    updates.clear();
    for (Object* p_o : deletions)
        p_o->marked_for_delete = false;
    deletions.clear();
    p_broad_phase->clear();
    p_timers->clear();
    p_view_following = nullptr;
    for (Object* p_o : made_before) {
        LogManager::getInstance().writeLog(
            LOG_WARNING,
            "Object %d (type \"%s\") was made before the engine started: it is not in the world, and is "
            "deleted at the next update",
            p_o->getId(), p_o->getType().c_str());
        refused.push_back(p_o);
    }
    return Manager::startUp();
}

void WorldManager::shutDown()
{
    for (int deleted = 0; deleted < MAX_SHUTDOWN_DELETIONS; ++deleted) {
        Object* p_o = nullptr;
        if (!updates.isEmpty())
            p_o = ObjectListIterator(&updates).currentObject();
        else if (!deletions.empty())
            p_o = deletions.back();
        else if (!refused.empty())
            p_o = refused.back();
        else
            break;
        delete p_o; // its destructor takes it out of both lists
    }
    updates.clear();
    deletions.clear();
    p_broad_phase->clear();
    p_timers->clear();
    p_view_following = nullptr;
    releaseLoopThread();
    Manager::shutDown();
}

int WorldManager::insertObject(Object* p_o)
{
    ZP_LOOP_THREAD_ONLY("WorldManager::insertObject (making an object)");
    known.insert(p_o);
    if (updates.insert(p_o) == 1) {
        p_broad_phase->add(p_o);
        return 0;
    }
    refuseObject(p_o);
    return -1;
}

void WorldManager::refuseObject(Object* p_o)
{
    // Its creator holds no reference the world knows of, so the world keeps
    // it until its next update rather than let it leak.
    LogManager::getInstance().writeLog(
        "World full (%d objects): object %d refused, deleted at the next update", updates.getCount(),
        p_o->getId());
    refused.push_back(p_o);
}

int WorldManager::removeObject(Object* p_o)
{
    ZP_LOOP_THREAD_ONLY("WorldManager::removeObject");
    if (p_o == p_view_following)
        p_view_following = nullptr;
    if (updates.remove(p_o) != 1)
        return -1;
    p_broad_phase->remove(p_o);
    // Out of the list, it gets no events: no timer events either.
    if (!contains(updates, p_o))
        p_timers->forget(p_o);
    return 0;
}

bool WorldManager::isInWorld(const Object* p_o) const
{
    return known.count(p_o) != 0 && contains(updates, p_o);
}

int WorldManager::requireKnown(const Object* p_o, const char* call) const
{
    if (known.count(p_o) != 0)
        return 0;
    // The pointer may point to freed memory: it is named, never read.
    char name[32] = "nullptr";
    if (p_o != nullptr)
        std::snprintf(name, sizeof(name), "0x%llx",
                      static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(p_o)));
    LogManager::getInstance().writeLog(
        LOG_WARNING,
        "WorldManager::%s: %s is no object of the world's (deleted already, or "
        "never made): nothing done",
        call, name);
    return -1;
}

void WorldManager::objectDestroyed(Object* p_o)
{
    ZP_LOOP_THREAD_ONLY("Object::~Object (deleting an object)");
    // Its timers end with its place in the list.
    removeObject(p_o);
    known.erase(p_o);
    if (p_o->marked_for_delete) {
        // Usually the last one marked (shut-down deletes from the back).
        const auto found = std::find(deletions.rbegin(), deletions.rend(), p_o);
        deletions.erase(std::next(found).base());
    }
    refused.erase(std::remove(refused.begin(), refused.end(), p_o), refused.end());
    p_broad_phase->forget(p_o);
}

void WorldManager::objectPlacementChanged(Object* p_o)
{
    p_broad_phase->refresh(p_o);
}

ObjectList WorldManager::getAllObjects() const
{
    ZP_LOOP_THREAD_ONLY("WorldManager::getAllObjects");
    return updates;
}

int WorldManager::markForDelete(Object* p_o)
{
    ZP_LOOP_THREAD_ONLY("WorldManager::markForDelete");
    // Asked first: only an object the world knows may be read.
    if (requireKnown(p_o, "markForDelete") != 0)
        return -1;
    if (!p_o->marked_for_delete) {
        p_o->marked_for_delete = true;
        deletions.push_back(p_o);
    }
    return 0;
}

void WorldManager::update()
{
    ZP_LOOP_THREAD_ONLY("WorldManager::update");
    // Destructors may mark others (again, even those of this walk), so the
    // walk goes over the marks taken out of the list.
    std::vector<Object*> marked;
    marked.swap(deletions);
    for (Object* p_o : marked)
        p_o->marked_for_delete = false;
    for (Object* p_o : marked)
        delete p_o;
    std::vector<Object*> turned_away;
    turned_away.swap(refused);
    for (Object* p_o : turned_away)
        delete p_o;

    // Objects created by handlers during the walk are moved in the same walk.
    for (ObjectListIterator it(&updates); !it.isDone(); it.next()) {
        Object* p_o = it.currentObject();
        const int dx = p_o->getXVelocityStep();
        const int dy = p_o->getYVelocityStep();
        const Position pos = p_o->getPosition();
        moveInWorld(p_o, Position(pos.getX() + dx, pos.getY() + dy));
    }
}

void WorldManager::draw(int new_animation_steps)
{
    ZP_LOOP_THREAD_ONLY("WorldManager::draw");
    animation_steps = new_animation_steps;
    const ObjectList snapshot = updates;
    for (int pass = 0; pass <= MAX_ALTITUDE; ++pass) {
        for (ObjectListIterator it(&snapshot); !it.isDone(); it.next()) {
            Object* p_o = it.currentObject();
            const int altitude = p_o->getAltitude();
            // Altitude 0 is drawn in every pass, so it ends up above everything.
            if (altitude != 0 && altitude - 1 != pass)
                continue;
            if (boxIntersectsBox(getWorldBox(p_o), view))
                p_o->draw();
        }
    }
    animation_steps = 1;
}

int WorldManager::getAnimationSteps() const
{
    return animation_steps;
}

int WorldManager::moveObject(Object* p_o, Position where)
{
    ZP_LOOP_THREAD_ONLY("WorldManager::moveObject");
    if (requireKnown(p_o, "moveObject") != 0)
        return -1;
    return moveInWorld(p_o, where);
}

int WorldManager::moveInWorld(Object* p_o, Position where)
{
    if (p_o->isSolid()) {
        const ObjectList collisions = getCollisions(p_o, where);
        bool do_move = true;
        for (Object* p_other : collisions.p_obj) {
            EventCollision collision(p_o, p_other, where);
            p_o->eventHandler(&collision);
            p_other->eventHandler(&collision);
            if (p_o->getSolidness() == HARD && p_other->getSolidness() == HARD)
                do_move = false;
        }
        if (!do_move)
            return -1;
    }

    p_o->setPosition(where);

    const GraphicsManager& graphics = GraphicsManager::getInstance();
    if (where.getX() > graphics.getHorizontalChars() || where.getX() < 0 ||
        where.getY() > graphics.getVerticalChars() || where.getY() < 0) {
        EventOut out;
        p_o->eventHandler(&out);
    }

    if (p_o == p_view_following)
        setViewPosition(where);
    return 0;
}

ObjectList WorldManager::getCollisions(const Object* p_o, Position where) const
{
    ZP_LOOP_THREAD_ONLY("WorldManager::getCollisions");
    ObjectList collisions;
    if (!p_o->isSolid())
        return collisions;
    const Box moving_box = getWorldBox(p_o, where);
    const auto collides = [&](const Object* p_other) {
        return p_other != p_o && p_other->isSolid() && boxIntersectsBox(getWorldBox(p_other), moving_box);
    };
    if (const auto* p_candidates = p_broad_phase->collisionCandidates(p_o, where)) {
        // The object itself is usually among the candidates: most moves
        // collide with nothing and then allocate nothing.
        if (p_candidates->size() > 1)
            collisions.p_obj.reserve(p_candidates->size() - 1);
        for (const BroadPhase::Candidate& candidate : *p_candidates)
            if (candidate.p_object != p_o && (!candidate.needs_test || collides(candidate.p_object)))
                collisions.insert(candidate.p_object);
        return collisions;
    }
    for (ObjectListIterator it(&updates); !it.isDone(); it.next())
        if (collides(it.currentObject()))
            collisions.insert(it.currentObject());
    return collisions;
}

std::unique_ptr<ObjectList> WorldManager::getObjectsInRange(const Object& centre, int radius,
                                                            const std::string& object_type) const
{
    ZP_LOOP_THREAD_ONLY("WorldManager::getObjectsInRange");
    auto in_range = std::make_unique<ObjectList>();
    const Position centre_pos = centre.getPosition();
    const auto near = [&](const Object* p_o) {
        return p_o->getType() == object_type && scaledDistance(centre_pos, p_o->getPosition()) <= radius;
    };
    if (const auto* p_candidates = p_broad_phase->rangeCandidates(centre_pos, radius)) {
        for (Object* p_o : *p_candidates)
            if (near(p_o))
                in_range->insert(p_o);
        return in_range;
    }
    for (ObjectListIterator it(&updates); !it.isDone(); it.next())
        if (near(it.currentObject()))
            in_range->insert(it.currentObject());
    return in_range;
}

Box WorldManager::getBoundary() const
{
    return boundary;
}

void WorldManager::setBoundary(Box new_boundary)
{
    boundary = new_boundary;
}

Box WorldManager::getView() const
{
    return view;
}

void WorldManager::setView(Box new_view)
{
    view = new_view;
    GraphicsManager::getInstance().setViewCorner(view.getCorner());
}

void WorldManager::setViewPosition(Position view_pos)
{
    const int x = clampedViewStart(view_pos.getX(), view.getHorizontal(), boundary.getHorizontal());
    const int y = clampedViewStart(view_pos.getY(), view.getVertical(), boundary.getVertical());
    view.setCorner(Position(x, y));
    GraphicsManager::getInstance().setViewCorner(view.getCorner());
}

int WorldManager::setViewFollowing(Object* p_new_view_following)
{
    if (p_new_view_following == nullptr) {
        p_view_following = nullptr;
        return 0;
    }
    if (!contains(updates, p_new_view_following))
        return -1;
    p_view_following = p_new_view_following;
    setViewPosition(p_new_view_following->getPosition());
    return 0;
}

int WorldManager::startTimer(Object* p_o, const std::string& name, int steps, bool repeat)
{
    ZP_LOOP_THREAD_ONLY("WorldManager::startTimer");
    if (requireKnown(p_o, "startTimer") != 0)
        return -1;
    if (!contains(updates, p_o)) {
        LogManager::getInstance().writeLog(
            LOG_WARNING,
            "WorldManager::startTimer: object %d is not in the world (refused, or "
            "taken out): no timer \"%s\"",
            p_o->getId(), name.c_str());
        return -1;
    }
    if (steps < 1) {
        LogManager::getInstance().writeLog(LOG_WARNING,
                                           "WorldManager::startTimer: timer \"%s\" of object %d asks for %d "
                                           "steps (1 or more): not started",
                                           name.c_str(), p_o->getId(), steps);
        return -1;
    }
    p_timers->start(p_o, name, GameManager::getInstance().getStepCount() + steps, repeat ? steps : 0);
    return 0;
}

int WorldManager::stopTimer(const Object* p_o, const std::string& name)
{
    ZP_LOOP_THREAD_ONLY("WorldManager::stopTimer");
    return p_timers->stop(p_o, name);
}

int WorldManager::getTimerSteps(const Object* p_o, const std::string& name) const
{
    const int due_step = p_timers->dueStep(p_o, name);
    return due_step < 0 ? -1 : due_step - GameManager::getInstance().getStepCount();
}

void WorldManager::sendTimerEvents(int step)
{
    ZP_LOOP_THREAD_ONLY("WorldManager::sendTimerEvents");
    p_timers->fire(step);
}

Position worldToView(Position world_pos)
{
    const Position corner = WorldManager::getInstance().getView().getCorner();
    return Position(world_pos.getX() - corner.getX(), world_pos.getY() - corner.getY());
}

Position viewToWorld(Position view_pos)
{
    const Position corner = WorldManager::getInstance().getBoundary().getCorner();
    return Position(view_pos.getX() + corner.getX(), view_pos.getY() + corner.getY());
}

} // namespace zp
