#include "Sky.h"

#include "Rock.h"

#include "zp/EventTimer.h"
#include "zp/GameManager.h"

Sky::Sky(int game_steps)
{
    setType("Sky");
    setSolidness(zp::SPECTRAL); // it collides with nothing
    startTimer("rock", 8, true);
    if (game_steps > 0)
        startTimer("time up", game_steps);
}

int Sky::eventHandler(const zp::Event* p_e)
{
    const auto* p_timer = zp::eventAs<zp::EventTimer>(p_e);
    if (p_timer == nullptr)
        return 0;
    if (p_timer->getName() == "rock")
        new Rock(zp::GameManager::getInstance().getRandom().between(2, 77));
    else if (p_timer->getName() == "time up")
        zp::GameManager::getInstance().setGameOver();
    return 1;
}
