#include "Ship.h"

#include "zp/EventCollision.h"
#include "zp/EventKeyboard.h"
#include "zp/EventTimer.h"
#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/Keys.h"
#include "zp/WorldManager.h"

Ship::Ship()
{
    setType("Ship");
    setPosition(zp::Position(40, 22));
    // Drawn as 3 characters centred on its position: the box covers them.
    setBox(zp::Box(zp::Position(-1, 0), 2, 0));
}

int Ship::eventHandler(const zp::Event* p_e)
{
    if (const auto* p_key = zp::eventAs<zp::EventKeyboard>(p_e)) {
        const zp::Position here = getPosition();
        // A held arrow key moves the ship a cell every step.
        if (p_key->getKeyboardAction() == zp::KEY_DOWN && !hit) {
            if (p_key->getKey() == zp::Key::LEFT && here.getX() > 1)
                zp::WorldManager::getInstance().moveObject(this, zp::Position(here.getX() - 1, here.getY()));
            if (p_key->getKey() == zp::Key::RIGHT && here.getX() < 78)
                zp::WorldManager::getInstance().moveObject(this, zp::Position(here.getX() + 1, here.getY()));
        }
        if (p_key->getKeyboardAction() == zp::KEY_PRESSED && p_key->getKey() == zp::Key::Q)
            zp::GameManager::getInstance().setGameOver();
        return 1;
    }
    if (zp::eventAs<zp::EventCollision>(p_e) != nullptr && !hit) {
        // Hit: the ship burns for a second, then the game ends.
        hit = true;
        startTimer("burnt", 30);
        return 1;
    }
    if (const auto* p_timer = zp::eventAs<zp::EventTimer>(p_e)) {
        if (p_timer->getName() == "burnt")
            zp::GameManager::getInstance().setGameOver();
        return 1;
    }
    return 0;
}

void Ship::draw()
{
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    graphics.drawString(getPosition(), hit ? "*#*" : "/A\\", zp::CENTER_JUSTIFIED, hit ? zp::RED : zp::CYAN);
}
