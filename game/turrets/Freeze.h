// The freezing turret: short range and no damage; every shot tries to freeze its target.
// Its numbers, sprite and sound stand in its row, FREEZE_KIND.
#pragma once

#include "turrets/Turret.h"

#include "zp/Position.h"

class Freeze : public Turret {
public:
    explicit Freeze(zp::Position p);
    ~Freeze() override;
};
