#include "zp/Object.h"

#include "zp/Event.h"
#include "zp/GraphicsManager.h"
#include "zp/Sprite.h"
#include "zp/WorldManager.h"

#include <cmath>

namespace zp {
namespace {

int next_object_id = 0;

} // namespace

Object::Object() : id(next_object_id++)
{
    WorldManager::getInstance().insertObject(this);
}

Object::~Object()
{
    WorldManager::getInstance().objectDestroyed(this);
}

int Object::getId() const
{
    return id;
}

void Object::setId(int new_id)
{
    id = new_id;
}

const std::string& Object::getType() const
{
    return type;
}

void Object::setType(std::string new_type)
{
    type = std::move(new_type);
}

Position Object::getPosition() const
{
    return pos;
}

void Object::setPosition(Position new_pos)
{
    pos = new_pos;
    placementChanged();
}

void Object::placementChanged()
{
    if (broad_phase_slot >= 0)
        WorldManager::getInstance().objectPlacementChanged(this);
}

int Object::getAltitude() const
{
    return altitude;
}

int Object::setAltitude(int new_altitude)
{
    if (new_altitude < 0 || new_altitude > MAX_ALTITUDE)
        return -1;
    altitude = new_altitude;
    return 0;
}

float Object::getXVelocity() const
{
    return x_velocity;
}

void Object::setXVelocity(float new_x_velocity)
{
    x_velocity = new_x_velocity;
    x_velocity_countdown = 1;
}

float Object::getYVelocity() const
{
    return y_velocity;
}

void Object::setYVelocity(float new_y_velocity)
{
    y_velocity = new_y_velocity;
    y_velocity_countdown = 1;
}

int Object::velocityStep(float velocity, float& countdown)
{
    if (velocity == 0)
        return 0;
    countdown -= std::fabs(velocity);
    if (countdown > 0)
        return 0;
    const int cells = int(std::floor(1 - countdown));
    countdown = 1 + std::fmod(countdown, 1.0f);
    return velocity > 0 ? cells : -cells;
}

int Object::getXVelocityStep()
{
    return velocityStep(x_velocity, x_velocity_countdown);
}

int Object::getYVelocityStep()
{
    return velocityStep(y_velocity, y_velocity_countdown);
}

int Object::setSolidness(Solidness new_solid)
{
    solidness = new_solid;
    placementChanged();
    return 0;
}

Sprite* Object::getSprite() const
{
    return p_sprite;
}

void Object::setSprite(Sprite* p_new_sprite)
{
    p_sprite = p_new_sprite;
    if (p_sprite == nullptr)
        return;
    sprite_index = 0;
    sprite_slowdown = 0;
    sprite_slowdown_count = 0;
    box.setHorizontal(p_sprite->getWidth());
    box.setVertical(p_sprite->getHeight());
    placementChanged();
}

bool Object::getSpriteCenter() const
{
    return sprite_center;
}

void Object::setSpriteCenter(bool centered)
{
    sprite_center = centered;
}

int Object::getSpriteIndex() const
{
    return sprite_index;
}

void Object::setSpriteIndex(int new_sprite_index)
{
    sprite_index = new_sprite_index;
}

int Object::getSpriteSlowdown() const
{
    return sprite_slowdown;
}

void Object::setSpriteSlowdown(int new_sprite_slowdown)
{
    sprite_slowdown = new_sprite_slowdown;
}

int Object::getSpriteSlowdownCount() const
{
    return sprite_slowdown_count;
}

void Object::setSpriteSlowdownCount(int new_sprite_slowdown_count)
{
    sprite_slowdown_count = new_sprite_slowdown_count;
}

Box Object::getBox() const
{
    return box;
}

void Object::setBox(Box new_box)
{
    box = new_box;
    placementChanged();
}

int Object::startTimer(const std::string& name, int steps, bool repeat)
{
    return WorldManager::getInstance().startTimer(this, name, steps, repeat);
}

int Object::stopTimer(const std::string& name)
{
    return WorldManager::getInstance().stopTimer(this, name);
}

int Object::getTimerSteps(const std::string& name) const
{
    return WorldManager::getInstance().getTimerSteps(this, name);
}

int Object::eventHandler(const Event* p_event)
{
    return p_event != nullptr && p_event->getType() == UNDEFINED_EVENT ? 0 : -1;
}

void Object::draw()
{
    if (p_sprite == nullptr)
        return;
    GraphicsManager::getInstance().drawFrame(pos, p_sprite->getFrame(sprite_index), sprite_center,
                                             p_sprite->getColor());
    if (sprite_slowdown == 0)
        return;
    // One advance per world step since the last draw: one at the normal
    // speed, none while the game is paused.
    const int steps = WorldManager::getInstance().getAnimationSteps();
    for (int i = 0; i < steps; ++i) {
        if (++sprite_slowdown_count < sprite_slowdown)
            continue;
        sprite_slowdown_count = 0;
        if (++sprite_index >= p_sprite->getFrameCount())
            sprite_index = 0;
    }
}

} // namespace zp
