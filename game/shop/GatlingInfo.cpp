#include "shop/GatlingInfo.h"

#include "shop/GatlingBuild.h"
#include "turrets/TurretKinds.h"

GatlingInfo::GatlingInfo()
{
    becomeKind(GATLING_KIND);
}

GatlingInfo::~GatlingInfo() = default;

void GatlingInfo::createBuild(zp::Position p)
{
    new GatlingBuild(p);
}
