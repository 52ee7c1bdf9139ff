#include "shop/RocketBuild.h"

#include "turrets/Rocket.h"
#include "turrets/TurretKinds.h"

RocketBuild::RocketBuild(zp::Position p)
{
    becomeKind(ROCKET_KIND, p);
}

RocketBuild::~RocketBuild() = default;

void RocketBuild::placeTurret(zp::Position p)
{
    new Rocket(p);
}
