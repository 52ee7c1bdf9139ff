// The cheap turret: short range, little damage, a shot every second step.
// Its numbers, sprite and sound stand in its row, GATLING_KIND.
#pragma once

#include "turrets/Turret.h"

#include "zp/Position.h"

class Gatling : public Turret {
public:
    explicit Gatling(zp::Position p);
    ~Gatling() override;
};
