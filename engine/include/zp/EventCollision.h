/// \file
/// Sent by the world when a move meets a solid object: first to the moving
/// object, then to the one it ran into. The pointers are valid only during
/// the handler call.
#pragma once

#include "zp/Event.h"
#include "zp/Position.h"

namespace zp {

class Object;

/// One colon after the prefix, unlike the other engine types.
inline const std::string COLLISION_EVENT = "zp:collision";

class EventCollision : public Event {
public:
    /// The type string of this class's events, for eventAs.
    static const std::string& eventType() { return COLLISION_EVENT; }

    EventCollision();
    EventCollision(Object* p_o1, Object* p_o2, Position p);

    Object* getObject1() const;
    void setObject1(Object* p_new_o1);
    Object* getObject2() const;
    void setObject2(Object* p_new_o2);
    Position getPosition() const;
    void setPosition(Position new_pos);

private:
    Position pos;
    Object* p_obj1 = nullptr;
    Object* p_obj2 = nullptr;
};

} // namespace zp
