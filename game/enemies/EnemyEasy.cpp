#include "enemies/EnemyEasy.h"

#include "content/Labels.h"

EnemyEasy::EnemyEasy(int initial_health)
{
    setKindName(ENEMY_EASY_NAME);
    useSprite(ENEMY_EASY_SPRITE, "EnemyEasy");
    setMoveDelay(ENEMY_EASY_MOVE_DELAY);
    setHealth(initial_health);
}

EnemyEasy::~EnemyEasy() = default;
