#include "reference/LinearScanWorld.h"

#include "zp/EventCollision.h"
#include "zp/EventOut.h"
#include "zp/GraphicsManager.h"
#include "zp/Object.h"
#include "zp/ObjectListIterator.h"
#include "zp/Utility.h"
#include "zp/WorldManager.h"

#include <vector>

namespace zp::reference {
namespace {

std::vector<Object*> entriesOf(const ObjectList& list)
{
    std::vector<Object*> entries;
    for (ObjectListIterator it(&list); !it.isDone(); it.next())
        entries.push_back(it.currentObject());
    return entries;
}

} // namespace

int LinearScanWorld::markForDelete(Object* p_o)
{
    for (Object* p_marked : entriesOf(marked))
        if (p_marked == p_o)
            return 0;
    marked.insert(p_o);
    return 0;
}

void LinearScanWorld::update()
{
    const std::vector<Object*> doomed = entriesOf(marked);
    marked.clear();
    for (Object* p_o : doomed)
        delete p_o;

    // The world's list only grows during the walk (handlers append), so a
    // snapshot taken again whenever the walk reaches its end sees it all.
    WorldManager& world = WorldManager::getInstance();
    std::vector<Object*> walk = entriesOf(world.getAllObjects());
    for (std::size_t i = 0;; ++i) {
        if (i == walk.size()) {
            walk = entriesOf(world.getAllObjects());
            if (i >= walk.size())
                break;
        }
        Object* p_o = walk[i];
        const int dx = p_o->getXVelocityStep();
        const int dy = p_o->getYVelocityStep();
        const Position pos = p_o->getPosition();
        moveObject(p_o, Position(pos.getX() + dx, pos.getY() + dy));
    }
}

int LinearScanWorld::moveObject(Object* p_o, Position where)
{
    if (p_o->isSolid()) {
        const ObjectList collisions = getCollisions(p_o, where);
        bool do_move = true;
        for (Object* p_other : entriesOf(collisions)) {
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
    return 0;
}

ObjectList LinearScanWorld::getCollisions(const Object* p_o, Position where) const
{
    ObjectList collisions;
    if (!p_o->isSolid())
        return collisions;
    const Box moving_box = getWorldBox(p_o, where);
    const ObjectList all = WorldManager::getInstance().getAllObjects();
    for (ObjectListIterator it(&all); !it.isDone(); it.next()) {
        Object* p_other = it.currentObject();
        if (p_other != p_o && p_other->isSolid() && boxIntersectsBox(getWorldBox(p_other), moving_box))
            collisions.insert(p_other);
    }
    return collisions;
}

std::unique_ptr<ObjectList> LinearScanWorld::getObjectsInRange(const Object& centre, int radius,
                                                               const std::string& object_type) const
{
    auto in_range = std::make_unique<ObjectList>();
    const ObjectList all = WorldManager::getInstance().getAllObjects();
    for (ObjectListIterator it(&all); !it.isDone(); it.next()) {
        Object* p_o = it.currentObject();
        if (p_o->getType() == object_type &&
            scaledDistance(centre.getPosition(), p_o->getPosition()) <= radius)
            in_range->insert(p_o);
    }
    return in_range;
}

} // namespace zp::reference
