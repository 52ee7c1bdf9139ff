#include "shop/GatlingInfo.h"

GatlingInfo::GatlingInfo() : Info(GATLING_KIND)
{
}

GatlingInfo::~GatlingInfo() = default;
