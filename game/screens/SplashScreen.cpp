#include "screens/SplashScreen.h"

#include "content/Labels.h"
#include "screens/GameMenu.h"

#include "zp/EventStep.h"
#include "zp/LogManager.h"
#include "zp/ResourceManager.h"
#include "zp/WorldManager.h"

SplashScreen::SplashScreen() : countdown(SPLASH_SCREEN_STEPS)
{
    setType("SplashScreen");
    zp::Sprite* p_splash_sprite = zp::ResourceManager::getInstance().getSprite(SPLASH_SPRITE);
    if (p_splash_sprite != nullptr)
        setSprite(p_splash_sprite);
    else
        zp::LogManager::getInstance().writeLog("SplashScreen: sprite 'splashscreen' not loaded");
    setPosition(zp::Position(0, 0));
}

SplashScreen::~SplashScreen() = default;

int SplashScreen::eventHandler(const zp::Event* p_e)
{
    if (p_e->getType() == zp::STEP_EVENT) {
        --countdown;
        if (countdown == 0) {
            zp::WorldManager::getInstance().markForDelete(this);
            new GameMenu;
        }
    }
    return -1;
}

void SplashScreen::draw()
{
    Object::draw();
}
