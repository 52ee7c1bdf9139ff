#include "turrets/Gatling.h"

Gatling::Gatling(zp::Position p)
{
    setType("Gatling");
    useSprite(GATLING_SPRITE, "Gatling", GATLING_SPRITE.c_str());
    setRange(GATLING_RANGE);
    setDamage(GATLING_DAMAGE);
    setFireRate(GATLING_FIRE_RATE);
    setPosition(p);
}

Gatling::~Gatling() = default;

void Gatling::fire(Enemy* p_target)
{
    playSound(GATLING_SOUND, "Gatling");
    Turret::fire(p_target);
}
