#include "turrets/Rocket.h"

Rocket::Rocket(zp::Position p)
{
    setType("Rocket");
    useSprite(ROCKET_SPRITE, "Rocket", ROCKET_SPRITE.c_str());
    setRange(ROCKET_RANGE);
    setDamage(ROCKET_DAMAGE);
    setFireRate(ROCKET_FIRE_RATE);
    setPosition(p);
}

Rocket::~Rocket() = default;

void Rocket::fire(Enemy* p_target)
{
    playSound(ROCKET_SOUND, "Rocket");
    Turret::fire(p_target);
}
