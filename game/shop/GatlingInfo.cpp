#include "shop/GatlingInfo.h"

#include "shop/GatlingBuild.h"

GatlingInfo::GatlingInfo()
{
    useSprite(GATLING_SELECT_SPRITE, "GatlingInfo", GATLING_INFO_TYPE.c_str());
    setType(GATLING_INFO_TYPE);
    setPrice(GATLING_INFO_PRICE);
    placeInPanel();
}

GatlingInfo::~GatlingInfo() = default;

void GatlingInfo::createBuild(zp::Position p)
{
    new GatlingBuild(p);
}
