#include "play/Treasure.h"

#include "content/Controls.h"
#include "content/GameEvents.h"
#include "content/Labels.h"
#include "level/Level.h"
#include "level/LevelManager.h"

#include "zp/EventKeyboard.h"
#include "zp/LogManager.h"
#include "zp/ResourceManager.h"
#include "zp/WorldManager.h"

Treasure::Treasure()
{
    zp::LogManager& log = zp::LogManager::getInstance();
    if (const Level* p_level = LevelManager::getInstance().getLevel())
        setPosition(zp::Position(p_level->getTreasureX(), p_level->getTreasureY()));
    else
        log.writeLog("Treasure::Treasure(): Warning! No level loaded");
    setType("Treasure");
    setSolidness(zp::HARD);

    zp::Sprite* p_found = zp::ResourceManager::getInstance().getSprite(TREASURE_SPRITE);
    if (p_found == nullptr) {
        log.writeLog("Treasure::Treasure(): Warning! Sprite '%s' not found", TREASURE_SPRITE.c_str());
        return;
    }
    setSprite(p_found);
    setSpriteSlowdown(0);
}

Treasure::~Treasure() = default;

int Treasure::eventHandler(const zp::Event* p_e)
{
    if (p_e->getType() != zp::KEYBOARD_EVENT)
        return 0;
    // Any action of the key gives up: pressed, released or held.
    const auto* p_key = static_cast<const zp::EventKeyboard*>(p_e);
    const Control* p_control = findControl(ControlPlace::PLAY, p_key->getKey());
    if (p_control == nullptr || p_control->command != Command::GIVE_UP)
        return 0;
    zp::WorldManager& world = zp::WorldManager::getInstance();
    world.markForDelete(this);
    zp::Event game_over;
    game_over.setType(GAME_OVER_EVENT);
    world.onEvent(&game_over);
    return 0;
}
