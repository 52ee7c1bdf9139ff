#include "enemies/EnemyHard.h"

#include "content/Labels.h"

EnemyHard::EnemyHard(int initial_health)
{
    setKindName(ENEMY_HARD_NAME);
    useSprite(ENEMY_HARD_SPRITE, "EnemyHard");
    setMoveDelay(ENEMY_HARD_MOVE_DELAY);
    setHealth(initial_health);
}

EnemyHard::~EnemyHard() = default;
