// The medium kind of enemy: sprite "enemy-medium", one move every 4 steps.
#pragma once

#include "enemies/Enemy.h"

#include <string>

const int ENEMY_MEDIUM_MOVE_DELAY = 3;

class EnemyMedium : public Enemy {
public:
    explicit EnemyMedium(int initial_health);
    ~EnemyMedium() override;
};
