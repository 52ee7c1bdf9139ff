/// \file
/// Owns the game world: every live object, the objects waiting for deletion,
/// the world's boundary and the view. Once per iteration it deletes marked
/// objects, moves everything by its velocity with collision and out events,
/// and draws the objects layer by layer.
#pragma once

#include "zp/Box.h"
#include "zp/Manager.h"
#include "zp/ObjectList.h"
#include "zp/Position.h"

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace zp {

class BroadPhase;
class Object;
class TimerQueue;

class WorldManager : public Manager {
public:
    static WorldManager& getInstance();
    ~WorldManager() override;

    /// Empties both lists. Objects made before it (before the engine's
    /// start-up) are left out of the world with a log line each, and deleted
    /// at the next update. The calling thread becomes the loop's thread.
    int startUp() override;
    /// Deletes every remaining object.
    void shutDown() override;

    /// Called by the object's constructor. A full world refuses the object
    /// (-1), logs it and deletes it at its next update (or shut-down), so an
    /// object never leaks: it gets no events and is never drawn.
    int insertObject(Object* p_o);
    /// Takes the object out of the live list; it gets no more events and is
    /// not drawn. 0 when removed, -1 when absent.
    int removeObject(Object* p_o);
    ObjectList getAllObjects() const;

    /// Deletes the object at the start of the next update; marking twice
    /// deletes once. A mark costs the same however many wait, and is never
    /// lost: also an object taken out of the world (removeObject) is deleted.
    /// -1 and a log line when it is no object of the world's (deleted
    /// already, or never made): nothing is marked.
    int markForDelete(Object* p_o);
    /// True when the object is in the world's list of live objects. Safe
    /// with any pointer, also one to an object deleted already.
    bool isInWorld(const Object* p_o) const;

    void update();
    /// Draws the objects layer by layer. Their sprite animations advance by
    /// `animation_steps` steps (the world steps since the last draw: the game
    /// loop passes 0 while paused, and N when a frame runs N steps).
    void draw(int animation_steps = 1);
    /// During a draw, the steps by which animations advance; 1 otherwise.
    int getAnimationSteps() const;

    /// 0 when the object now stands at `where`, -1 when a hard pair blocked
    /// it; -1 and a log line when it is no object of the world's (deleted
    /// already, or never made).
    int moveObject(Object* p_o, Position where);
    /// The solid objects that a solid object would overlap at `where`.
    ObjectList getCollisions(const Object* p_o, Position where) const;
    /// Objects of exactly `type` whose scaled distance from the centre is at most `radius`.
    std::unique_ptr<ObjectList> getObjectsInRange(const Object& centre, int radius,
                                                  const std::string& object_type) const;

    Box getBoundary() const;
    void setBoundary(Box new_boundary);
    Box getView() const;
    void setView(Box new_view);
    /// Centres the view on the position, kept inside the boundary.
    void setViewPosition(Position view_pos);
    /// -1 when the object is not in the world; nullptr stops following.
    int setViewFollowing(Object* p_new_view_following);

    /// Asks for a timer event (EventTimer, "zp::timer") with this name for
    /// the object `steps` world steps from now (the game manager's step
    /// count), then every `steps` steps when `repeat` is true. It comes in
    /// that world step, after the step events and before the update. A timer
    /// of the same name and object is started again. -1 and a log line when
    /// steps is below 1 or the object is no object of the world's. Timers hold while
    /// the game is paused and end with their object.
    int startTimer(Object* p_o, const std::string& name, int steps, bool repeat = false);
    /// 0 when the timer was running, -1 otherwise.
    int stopTimer(const Object* p_o, const std::string& name);
    /// World steps until the timer comes due (1 in the step before), or -1
    /// when it does not run.
    int getTimerSteps(const Object* p_o, const std::string& name) const;
    /// Sends the timer events due at this world step; the game loop's world
    /// step calls it.
    void sendTimerEvents(int step);

private:
    friend class Object;

    WorldManager();
    /// Called by the object's destructor: forgets the object everywhere.
    void objectDestroyed(Object* p_o);
    void refuseObject(Object* p_o);
    /// moveObject for an object known to be in the world.
    int moveInWorld(Object* p_o, Position where);
    /// -1 after a log line naming the call when the object is no object of
    /// the world's: not made, or deleted already.
    int requireKnown(const Object* p_o, const char* call) const;
    /// Called by the object when its position, box or solidness is set.
    void objectPlacementChanged(Object* p_o);

    ObjectList updates;
    /// Every object made and not yet deleted (in the list, refused, or
    /// taken out of it), for asking about any pointer.
    std::unordered_set<const Object*> known;
    /// In the order marked; unbounded, since objects taken out of the world
    /// may wait here too.
    std::vector<Object*> deletions;
    // Objects created while the world was full, deleted at the next update.
    std::vector<Object*> refused;
    Box boundary;
    Box view;
    Object* p_view_following = nullptr;
    /// Finds the objects near a box or a point without scanning updates.
    std::unique_ptr<BroadPhase> p_broad_phase;
    int animation_steps = 1;
    std::unique_ptr<TimerQueue> p_timers;
};

/// A world position relative to the view's corner, as it shows in the window.
Position worldToView(Position world_pos);
/// A view position plus the boundary's corner (not the view's: in a world
/// whose boundary and view both start at (0, 0) the two are inverses).
Position viewToWorld(Position view_pos);

} // namespace zp
