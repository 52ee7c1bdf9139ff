#include "GameOverScreen.h"

#include "Round.h"

#include "zp/EventKeyboard.h"
#include "zp/EventTimer.h"
#include "zp/GraphicsManager.h"
#include "zp/Keys.h"
#include "zp/WorldManager.h"

#include <string>

namespace {

// Two seconds of the game-over screen before the autopilot plays again.
const int AUTOPILOT_PAUSE_STEPS = 60;

} // namespace

GameOverScreen::GameOverScreen(int final_score, bool new_autopilot)
    : score(final_score), autopilot(new_autopilot)
{
    setType("GameOverScreen");
    setSolidness(zp::SPECTRAL);
    if (autopilot)
        startTimer("again", AUTOPILOT_PAUSE_STEPS);
}

int GameOverScreen::eventHandler(const zp::Event* p_e)
{
    if (const auto* p_key = zp::eventAs<zp::EventKeyboard>(p_e)) {
        if (p_key->getKeyboardAction() == zp::KEY_PRESSED && p_key->getKey() == zp::Key::R)
            playAgain();
        return 1;
    }
    if (zp::eventAs<zp::EventTimer>(p_e) != nullptr) {
        playAgain();
        return 1;
    }
    return 0;
}

void GameOverScreen::playAgain()
{
    // Once: R and the timer in one step make one new game.
    if (leaving)
        return;
    leaving = true;
    zp::WorldManager::getInstance().markForDelete(this);
    startRound(autopilot);
}

void GameOverScreen::draw()
{
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    graphics.drawString(zp::Position(40, 9), "G A M E   O V E R", zp::CENTER_JUSTIFIED, zp::RED);
    graphics.drawString(zp::Position(40, 12), "Score: " + std::to_string(score), zp::CENTER_JUSTIFIED,
                        zp::YELLOW);
    graphics.drawString(zp::Position(40, 15), "R: play again    Q: quit", zp::CENTER_JUSTIFIED, zp::WHITE);
}
