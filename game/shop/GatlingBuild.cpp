#include "shop/GatlingBuild.h"

GatlingBuild::GatlingBuild(zp::Position p) : Build(GATLING_KIND, p)
{
}

GatlingBuild::~GatlingBuild() = default;
