#include "content/Labels.h"
#include "enemies/EnemyHard.h"

EnemyHard::EnemyHard(int initial_health)
{
    useSprite(ENEMY_HARD_SPRITE, "EnemyHard");
    setMoveDelay(ENEMY_HARD_MOVE_DELAY);
    setHealth(initial_health);
}

EnemyHard::~EnemyHard() = default;
