#include "turrets/Freeze.h"

#include "enemies/Enemy.h"
#include "zp/Event.h"

Freeze::Freeze(zp::Position p)
{
    setType("Freeze");
    useSprite(FREEZE_SPRITE, "Freeze", "Freeze");
    setRange(FREEZE_RANGE);
    setDamage(FREEZE_DAMAGE);
    setFireRate(FREEZE_FIRE_RATE);
    setPosition(p);
}

Freeze::~Freeze() = default;

void Freeze::fire(Enemy* p_target)
{
    playSound(FREEZE_SOUND, "Freeze");
    // Only the target hears of the freeze.
    zp::Event freeze_event;
    freeze_event.setType(FREEZE_EVENT);
    p_target->eventHandler(&freeze_event);
    Turret::fire(p_target);
}
