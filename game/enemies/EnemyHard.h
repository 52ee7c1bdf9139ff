// The hard kind of enemy: sprite "enemy-hard", one move every 4 steps.
#pragma once

#include "enemies/Enemy.h"

#include <string>

const int ENEMY_HARD_MOVE_DELAY = 3;

class EnemyHard : public Enemy {
public:
    explicit EnemyHard(int initial_health);
    ~EnemyHard() override;
};
