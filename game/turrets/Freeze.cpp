#include "turrets/Freeze.h"

Freeze::Freeze(zp::Position p) : Turret(FREEZE_KIND, p)
{
}

Freeze::~Freeze() = default;
