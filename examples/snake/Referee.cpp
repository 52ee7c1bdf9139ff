#include "Referee.h"

#include "zp/EventKeyboard.h"
#include "zp/EventTimer.h"
#include "zp/GameManager.h"
#include "zp/Keys.h"

Referee::Referee(int steps)
{
    setType("Referee");
    setSolidness(zp::SPECTRAL);
    if (steps > 0)
        startTimer("time up", steps);
}

int Referee::eventHandler(const zp::Event* p_e)
{
    const auto* p_key = zp::eventAs<zp::EventKeyboard>(p_e);
    const bool quit =
        p_key != nullptr && p_key->getKeyboardAction() == zp::KEY_PRESSED && p_key->getKey() == zp::Key::Q;
    if (quit || zp::eventAs<zp::EventTimer>(p_e) != nullptr) {
        zp::GameManager::getInstance().setGameOver();
        return 1;
    }
    return 0;
}
