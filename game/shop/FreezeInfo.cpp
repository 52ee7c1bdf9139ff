#include "shop/FreezeInfo.h"

#include "shop/FreezeBuild.h"

FreezeInfo::FreezeInfo()
{
    useSprite(FREEZE_SELECT_SPRITE, "FreezeInfo", FREEZE_INFO_TYPE.c_str());
    setType(FREEZE_INFO_TYPE);
    setPrice(FREEZE_INFO_PRICE);
    placeInPanel();
}

FreezeInfo::~FreezeInfo() = default;

void FreezeInfo::createBuild(zp::Position p)
{
    new FreezeBuild(p);
}
