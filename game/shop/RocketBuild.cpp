#include "shop/RocketBuild.h"

RocketBuild::RocketBuild(zp::Position p) : Build(ROCKET_KIND, p)
{
}

RocketBuild::~RocketBuild() = default;
