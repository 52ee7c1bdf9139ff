#include "turrets/Gatling.h"

Gatling::Gatling(zp::Position p) : Turret(GATLING_KIND, p)
{
}

Gatling::~Gatling() = default;
