#include "turrets/Rocket.h"

#include "turrets/TurretKinds.h"

Rocket::Rocket(zp::Position p)
{
    becomeKind(ROCKET_KIND);
    setPosition(p);
}

Rocket::~Rocket() = default;

void Rocket::fire(Enemy* p_target)
{
    playKindSound(ROCKET_KIND);
    Turret::fire(p_target);
}
