#include "turrets/Turret.h"

#include "content/Controls.h"
#include "content/GameEvents.h"
#include "content/PlayEvents.h"
#include "content/SpriteLookup.h"
#include "enemies/Enemy.h"
#include "turrets/TurretKinds.h"

#include "zp/EventMouse.h"
#include "zp/EventStep.h"
#include "zp/EventView.h"
#include "zp/GameManager.h"
#include "zp/LogManager.h"
#include "zp/ObjectList.h"
#include "zp/ObjectListIterator.h"
#include "zp/ResourceManager.h"
#include "zp/Sound.h"
#include "zp/Utility.h"
#include "zp/WorldManager.h"

#include <memory>

namespace {

// The sprite frame that faces a direction given in whole degrees (0 right,
// 90 down, truncated toward zero): frame 0 aims up, 2 right, 4 down, 6 left,
// the odd frames the diagonals between, clockwise.
struct AimSector {
    int from;
    int to;
    int frame;
};

const AimSector AIM_SECTORS[] = {
    {-21, 21, 2},    {22, 66, 3},     {67, 111, 4},   {112, 156, 5}, {157, 180, 6},
    {-180, -157, 6}, {-156, -112, 7}, {-111, -67, 0}, {-66, -22, 1},
};
const int AIM_FRAME_RIGHT = 2;

// A sale is heard as the Rocket's explosion: the game has no sound of its own for it.
const std::string& SELL_SOUND = ROCKET_KIND.sound;

int aimFrame(int degrees)
{
    for (const AimSector& sector : AIM_SECTORS)
        if (degrees >= sector.from && degrees <= sector.to)
            return sector.frame;
    return AIM_FRAME_RIGHT;
}

// The first object in the list that really is an enemy.
Enemy* firstEnemy(const zp::ObjectList& list)
{
    for (zp::ObjectListIterator it(&list); !it.isDone(); it.next())
        if (auto* p_enemy = dynamic_cast<Enemy*>(it.currentObject()))
            return p_enemy;
    return nullptr;
}

} // namespace

Turret::Turret()
{
    setType("Turret");
    setSolidness(zp::SOFT);
}

Turret::~Turret() = default;

void Turret::setRange(int new_range)
{
    range = new_range;
}

int Turret::getRange() const
{
    return range;
}

void Turret::setDamage(int new_damage)
{
    damage = new_damage;
}

int Turret::getDamage() const
{
    return damage;
}

void Turret::setFireRate(int new_fire_rate)
{
    fire_rate = new_fire_rate;
}

int Turret::getFireRate() const
{
    return fire_rate;
}

int Turret::getFireCountdown() const
{
    return fire_countdown;
}

void Turret::setPrice(int new_price)
{
    price = new_price;
}

int Turret::getPrice() const
{
    return price;
}

bool Turret::isSold() const
{
    return sold;
}

int Turret::eventHandler(const zp::Event* p_e)
{
    if (p_e->getType() == zp::STEP_EVENT)
        updateTargeting();
    if (p_e->getType() == zp::MOUSE_EVENT) {
        const auto* p_mouse = static_cast<const zp::EventMouse*>(p_e);
        // While paused a sold turret would stay on the board until the next update.
        if (p_mouse->getMouseAction() == zp::CLICKED && p_mouse->getMouseButton() == SELL_BUTTON &&
            covers(p_mouse->getMousePosition()) && !zp::GameManager::getInstance().isPaused())
            sell();
    }
    return 0;
}

void Turret::sell()
{
    // A marked turret still gets this frame's events: it must not pay twice.
    if (sold)
        return;
    sold = true;
    zp::WorldManager& world = zp::WorldManager::getInstance();
    world.markForDelete(this);
    const zp::EventView refund(CURRENCY_TAG, price / SELL_REFUND_DIVISOR, true);
    world.onEvent(&refund);
    const TurretEvent sale(TURRET_SOLD_EVENT, getType());
    world.onEvent(&sale);
    if (zp::Sound* p_sound = zp::ResourceManager::getInstance().getSound(SELL_SOUND))
        p_sound->play(false);
    else
        zp::LogManager::getInstance().writeLog("%s::sell(): Warning! Sound '%s' not found", getType().c_str(),
                                               SELL_SOUND.c_str());
}

bool Turret::covers(zp::Position cell) const
{
    // Any int may come as a cell: the differences are taken in 64 bits.
    const zp::Box covered = zp::getWorldBox(this);
    const std::int64_t x = std::int64_t(cell.getX()) - covered.getCorner().getX();
    const std::int64_t y = std::int64_t(cell.getY()) - covered.getCorner().getY();
    return x >= 0 && x < covered.getHorizontal() && y >= 0 && y < covered.getVertical();
}

void Turret::fire(Enemy* p_target)
{
    p_target->takeDamage(damage);
    fire_countdown = fire_rate;
}

void Turret::updateTargeting()
{
    if (--fire_countdown < 0)
        fire_countdown = 0;

    const std::unique_ptr<zp::ObjectList> in_range =
        zp::WorldManager::getInstance().getObjectsInRange(*this, range, ENEMY_TYPE);
    // The oldest enemy in range: the world lists objects in creation order.
    Enemy* p_target = firstEnemy(*in_range);
    if (p_target == nullptr) {
        setSpriteSlowdown(TURRET_IDLE_SLOWDOWN);
        return;
    }

    setSpriteIndex(aimFrame(zp::angle(getPosition(), p_target->getPosition())));
    setSpriteSlowdown(0);
    if (fire_countdown == 0)
        fire(p_target);
}

void Turret::becomeKind(const TurretKind& kind)
{
    setType(kind.turret_type);
    setSpriteOrWarn(*this, kind.turret_sprite, TURRET_IDLE_SLOWDOWN, kind.turret_type.c_str(),
                    kind.turret_sprite_warning.c_str());
    setRange(kind.range);
    setDamage(kind.damage);
    setFireRate(kind.fire_rate);
    setPrice(kind.price);
}

void Turret::playKindSound(const TurretKind& kind) const
{
    zp::Sound* p_sound = zp::ResourceManager::getInstance().getSound(kind.sound);
    if (p_sound == nullptr) {
        zp::LogManager::getInstance().writeLog("%s::fire(): Warning! Sound '%s' not found",
                                               kind.turret_type.c_str(), kind.sound.c_str());
        return;
    }
    p_sound->play(false);
}
