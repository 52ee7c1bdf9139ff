#include "shop/FreezeBuild.h"

FreezeBuild::FreezeBuild(zp::Position p) : Build(FREEZE_KIND, p)
{
}

FreezeBuild::~FreezeBuild() = default;
