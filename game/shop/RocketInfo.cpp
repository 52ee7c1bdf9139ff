#include "shop/RocketInfo.h"

RocketInfo::RocketInfo() : Info(ROCKET_KIND)
{
}

RocketInfo::~RocketInfo() = default;
