#include "shop/FreezeBuild.h"

#include "turrets/Freeze.h"
#include "turrets/TurretKinds.h"

FreezeBuild::FreezeBuild(zp::Position p)
{
    becomeKind(FREEZE_KIND, p);
}

FreezeBuild::~FreezeBuild() = default;

void FreezeBuild::placeTurret(zp::Position p)
{
    new Freeze(p);
}
