#include "shop/FreezeInfo.h"

#include "shop/FreezeBuild.h"
#include "turrets/TurretKinds.h"

FreezeInfo::FreezeInfo()
{
    becomeKind(FREEZE_KIND);
}

FreezeInfo::~FreezeInfo() = default;

void FreezeInfo::createBuild(zp::Position p)
{
    new FreezeBuild(p);
}
