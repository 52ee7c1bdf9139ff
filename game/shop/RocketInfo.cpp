#include "shop/RocketInfo.h"

#include "shop/RocketBuild.h"
#include "turrets/TurretKinds.h"

RocketInfo::RocketInfo()
{
    becomeKind(ROCKET_KIND);
}

RocketInfo::~RocketInfo() = default;

void RocketInfo::createBuild(zp::Position p)
{
    new RocketBuild(p);
}
