// The cheap turret: short range, little damage, a shot every second step.
#pragma once

#include <string>

#include "turrets/Turret.h"
#include "zp/Position.h"

inline const std::string GATLING_SPRITE = "gatling";
inline const std::string GATLING_SOUND = "shoot";
const int GATLING_RANGE = 20;
const int GATLING_DAMAGE = 5;
const int GATLING_FIRE_RATE = 2;

class Gatling : public Turret {
public:
    explicit Gatling(zp::Position p);
    ~Gatling() override;

    void fire(Enemy* p_target) override;
};
