#include "shop/FreezeBuild.h"

#include "turrets/Freeze.h"

FreezeBuild::FreezeBuild(zp::Position p)
{
    setType("FreezeBuild");
    useSprite(FREEZE_BUILD_SPRITE, "FreezeBuild", "FreezeBuild");
    setPosition(p);
    setPrice(FREEZE_PRICE);
}

FreezeBuild::~FreezeBuild() = default;

void FreezeBuild::placeTurret(zp::Position p)
{
    new Freeze(p);
}
