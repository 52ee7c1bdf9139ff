/// \file
/// Base of everything that lives in the game world. Objects are created with
/// new, enter the world in this constructor and belong to the world from then
/// on; game code asks WorldManager::markForDelete instead of deleting them.
#pragma once

#include "zp/Box.h"
#include "zp/Position.h"

#include <string>

namespace zp {

class Event;
class Sprite;

/// Drawing layers run from 0 to MAX_ALTITUDE.
const int MAX_ALTITUDE = 5;

/// Hard and soft objects collide; two hard objects also block each other.
enum Solidness : int {
    HARD = 0,
    SOFT = 1,
    SPECTRAL = 2,
};

class Object {
public:
    Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object();

    int getId() const;
    void setId(int new_id);
    const std::string& getType() const;
    void setType(std::string new_type);

    Position getPosition() const;
    /// Places the object directly, with no collision test and no events.
    void setPosition(Position new_pos);

    int getAltitude() const;
    /// -1 and no change outside 0 ... MAX_ALTITUDE.
    int setAltitude(int new_altitude);

    float getXVelocity() const;
    void setXVelocity(float new_x_velocity);
    float getYVelocity() const;
    void setYVelocity(float new_y_velocity);
    /// Whole cells to move on this step; advances the fractional progress.
    int getXVelocityStep();
    int getYVelocityStep();

    Solidness getSolidness() const { return solidness; }
    int setSolidness(Solidness new_solid);
    bool isSolid() const { return solidness == HARD || solidness == SOFT; }

    Sprite* getSprite() const;
    /// Restarts the animation on frame 0, stopped, and sizes the box to the sprite.
    void setSprite(Sprite* p_new_sprite);
    bool getSpriteCenter() const;
    void setSpriteCenter(bool centered);
    int getSpriteIndex() const;
    void setSpriteIndex(int new_sprite_index);
    /// Steps per frame advance (one step per draw at the normal speed); 0
    /// freezes the animation.
    int getSpriteSlowdown() const;
    void setSpriteSlowdown(int new_sprite_slowdown);
    int getSpriteSlowdownCount() const;
    void setSpriteSlowdownCount(int new_sprite_slowdown_count);

    Box getBox() const;
    void setBox(Box new_box);

    /// A timer event (EventTimer) named `name` for this object after `steps`
    /// world steps, and every `steps` steps after that when `repeat` is true
    /// (WorldManager::startTimer); -1 when steps is below 1 or the object is
    /// not in the world.
    int startTimer(const std::string& name, int steps, bool repeat = false);
    /// 0 when the timer was running, -1 otherwise.
    int stopTimer(const std::string& name);
    /// World steps until the timer comes due, or -1 when it does not run.
    int getTimerSteps(const std::string& name) const;

    /// The base ignores every event: 0 for an undefined event, -1 otherwise.
    virtual int eventHandler(const Event* p_event);
    /// Draws the current sprite frame and advances the animation by the
    /// world's animation steps (WorldManager::getAnimationSteps).
    virtual void draw();

private:
    friend class BroadPhase;
    /// Keeps the mark for deletion on the object, so marking is one test.
    friend class WorldManager;

    static int velocityStep(float velocity, float& countdown);
    /// Tells the world that the position, box or solidness may have changed.
    void placementChanged();

    int id;
    std::string type;
    Position pos;
    int altitude = 2;
    float x_velocity = 0;
    float x_velocity_countdown = 0;
    float y_velocity = 0;
    float y_velocity_countdown = 0;
    Solidness solidness = HARD;
    Sprite* p_sprite = nullptr;
    bool sprite_center = false;
    int sprite_index = 0;
    int sprite_slowdown = 0;
    int sprite_slowdown_count = 0;
    Box box{Position(0, 0), 1, 1};
    /// The world's index entry for this object; -1 while not in the world.
    int broad_phase_slot = -1;
    /// True while the object waits in the world's list of deletions.
    bool marked_for_delete = false;
};

} // namespace zp
