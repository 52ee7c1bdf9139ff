// The freezing turret: short range and no damage; every shot tries to freeze its target.
#pragma once

#include <string>

#include "turrets/Turret.h"
#include "zp/Position.h"

inline const std::string FREEZE_SPRITE = "freeze";
inline const std::string FREEZE_SOUND = "freeze";
const int FREEZE_RANGE = 10;
const int FREEZE_DAMAGE = 0;
const int FREEZE_FIRE_RATE = 20;

class Freeze : public Turret {
public:
    explicit Freeze(zp::Position p);
    ~Freeze() override;

    void fire(Enemy* p_target) override;
};
