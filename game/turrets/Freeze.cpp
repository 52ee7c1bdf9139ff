#include "turrets/Freeze.h"

#include "content/GameEvents.h"
#include "enemies/Enemy.h"
#include "turrets/TurretKinds.h"

#include "zp/Event.h"

Freeze::Freeze(zp::Position p)
{
    becomeKind(FREEZE_KIND);
    setPosition(p);
}

Freeze::~Freeze() = default;

void Freeze::fire(Enemy* p_target)
{
    playKindSound(FREEZE_KIND);
    // Only the target hears of the freeze.
    zp::Event freeze_event;
    freeze_event.setType(FREEZE_EVENT);
    p_target->eventHandler(&freeze_event);
    Turret::fire(p_target);
}
