#include "turrets/Rocket.h"

Rocket::Rocket(zp::Position p) : Turret(ROCKET_KIND, p)
{
}

Rocket::~Rocket() = default;
