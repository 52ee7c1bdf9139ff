#include "shop/GatlingBuild.h"

GatlingBuild::GatlingBuild(zp::Position p)
{
    setType("GatlingBuild");
    useSprite(GATLING_BUILD_SPRITE, "GatlingBuild", GATLING_BUILD_SPRITE.c_str());
    setPosition(p);
    setPrice(GATLING_PRICE);
}

GatlingBuild::~GatlingBuild() = default;
