#include "shop/GatlingBuild.h"

#include "turrets/TurretKinds.h"

GatlingBuild::GatlingBuild(zp::Position p)
{
    becomeKind(GATLING_KIND, p);
}

GatlingBuild::~GatlingBuild() = default;
