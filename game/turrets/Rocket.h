// The long-range turret: strong shots, one every 20 steps, at one target only.
#pragma once

#include "turrets/Turret.h"

#include "zp/Position.h"

class Rocket : public Turret {
public:
    explicit Rocket(zp::Position p);
    ~Rocket() override;

    void fire(Enemy* p_target) override;
};
