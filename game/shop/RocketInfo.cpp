#include "shop/RocketInfo.h"

#include "shop/RocketBuild.h"

RocketInfo::RocketInfo()
{
    useSprite(ROCKET_SELECT_SPRITE, "RocketInfo", ROCKET_INFO_TYPE.c_str());
    setType(ROCKET_INFO_TYPE);
    setPrice(ROCKET_INFO_PRICE);
    placeInPanel();
}

RocketInfo::~RocketInfo() = default;

void RocketInfo::createBuild(zp::Position p)
{
    new RocketBuild(p);
}
