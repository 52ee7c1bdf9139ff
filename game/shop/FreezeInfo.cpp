#include "shop/FreezeInfo.h"

FreezeInfo::FreezeInfo() : Info(FREEZE_KIND)
{
}

FreezeInfo::~FreezeInfo() = default;
