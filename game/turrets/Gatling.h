// The cheap turret: short range, little damage, a shot every second step.
#pragma once

#include "turrets/Turret.h"

#include "zp/Position.h"

class Gatling : public Turret {
public:
    explicit Gatling(zp::Position p);
    ~Gatling() override;

    void fire(Enemy* p_target) override;
};
