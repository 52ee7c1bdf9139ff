// The easy kind of enemy: sprite "enemy-easy", one move every 5 steps.
#pragma once

#include "enemies/Enemy.h"

#include <string>

const int ENEMY_EASY_MOVE_DELAY = 4;

class EnemyEasy : public Enemy {
public:
    explicit EnemyEasy(int initial_health);
    ~EnemyEasy() override;
};
