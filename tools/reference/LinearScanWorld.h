// The world's update, move and queries as a plain scan of every object, the
// way the world worked before it had an index: the yardstick the world's
// broad phase is compared with in tests and measured against in benchmarks.
// It drives the real world's objects through the world's public interface;
// the view does not follow objects here.
#pragma once

#include "zp/ObjectList.h"
#include "zp/Position.h"

#include <memory>
#include <string>

namespace zp {
class Object;
}

namespace zp::reference {

class LinearScanWorld {
public:
    // Marks must go through here to be deleted by this update; marking twice
    // deletes once.
    int markForDelete(Object* p_o);
    // Deletes the marked objects in marking order, then moves every object of
    // the world by its velocity, also those that handlers create meanwhile.
    // Handlers may create and mark objects, but must not remove any.
    void update();
    int moveObject(Object* p_o, Position where);
    ObjectList getCollisions(const Object* p_o, Position where) const;
    std::unique_ptr<ObjectList> getObjectsInRange(const Object& centre, int radius,
                                                  const std::string& object_type) const;

private:
    ObjectList marked;
};

} // namespace zp::reference
