#include "screens/GameOver.h"

#include "content/Labels.h"
#include "screens/GameMenu.h"

#include "zp/EventStep.h"
#include "zp/GraphicsManager.h"
#include "zp/LogManager.h"
#include "zp/ResourceManager.h"
#include "zp/Sprite.h"
#include "zp/WorldManager.h"

namespace {

const zp::Position PICTURE_POS(12, 0);
const zp::Position NOTE_POS(17, 6);
const char* const NOTE_TEXT = "You will be brought back to the main menu shortly";

} // namespace

GameOver::GameOver() : countdown(GAME_OVER_STEPS)
{
    p_gameover_sprite = zp::ResourceManager::getInstance().getSprite(GAME_OVER_SPRITE);
    if (p_gameover_sprite == nullptr)
        zp::LogManager::getInstance().writeLog("GameOver: sprite 'gameover' not loaded");
}

GameOver::~GameOver() = default;

int GameOver::eventHandler(const zp::Event* p_e)
{
    if (p_e->getType() == zp::STEP_EVENT) {
        --countdown;
        if (countdown == 0) {
            zp::WorldManager::getInstance().markForDelete(this);
            new GameMenu;
        }
    }
    return 0;
}

void GameOver::draw()
{
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    if (p_gameover_sprite != nullptr)
        graphics.drawFrame(PICTURE_POS, p_gameover_sprite->getFrame(0), false, p_gameover_sprite->getColor());
    graphics.drawString(NOTE_POS, NOTE_TEXT, zp::LEFT_JUSTIFIED, zp::MAGENTA);
}
