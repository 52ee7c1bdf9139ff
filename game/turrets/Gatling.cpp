#include "turrets/Gatling.h"

#include "turrets/TurretKinds.h"

Gatling::Gatling(zp::Position p)
{
    becomeKind(GATLING_KIND);
    setPosition(p);
}

Gatling::~Gatling() = default;

void Gatling::fire(Enemy* p_target)
{
    playKindSound(GATLING_KIND);
    Turret::fire(p_target);
}
