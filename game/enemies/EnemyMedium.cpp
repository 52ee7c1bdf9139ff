#include "enemies/EnemyMedium.h"

#include "content/Labels.h"

EnemyMedium::EnemyMedium(int initial_health)
{
    setKindName(ENEMY_MEDIUM_NAME);
    useSprite(ENEMY_MEDIUM_SPRITE, "EnemyMedium");
    setMoveDelay(ENEMY_MEDIUM_MOVE_DELAY);
    setHealth(initial_health);
}

EnemyMedium::~EnemyMedium() = default;
