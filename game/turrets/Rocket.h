// The long-range turret: strong shots, one every 20 steps, at one target only.
// Its numbers, sprite and sound stand in its row, ROCKET_KIND.
#pragma once

#include "turrets/Turret.h"

#include "zp/Position.h"

class Rocket : public Turret {
public:
    explicit Rocket(zp::Position p);
    ~Rocket() override;
};
