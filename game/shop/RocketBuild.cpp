#include "shop/RocketBuild.h"

#include "turrets/Rocket.h"

RocketBuild::RocketBuild(zp::Position p)
{
    setType("RocketBuild");
    useSprite(ROCKET_BUILD_SPRITE, "RocketBuild", ROCKET_BUILD_SPRITE.c_str());
    setPosition(p);
    setPrice(ROCKET_PRICE);
}

RocketBuild::~RocketBuild() = default;

void RocketBuild::placeTurret(zp::Position p)
{
    new Rocket(p);
}
