// The long-range turret: strong shots, one every 20 steps, at one target only.
#pragma once

#include <string>

#include "turrets/Turret.h"
#include "zp/Position.h"

inline const std::string ROCKET_SPRITE = "rocket";
inline const std::string ROCKET_SOUND = "explosion";
const int ROCKET_RANGE = 30;
const int ROCKET_DAMAGE = 20;
const int ROCKET_FIRE_RATE = 20;

class Rocket : public Turret {
public:
    explicit Rocket(zp::Position p);
    ~Rocket() override;

    void fire(Enemy* p_target) override;
};
