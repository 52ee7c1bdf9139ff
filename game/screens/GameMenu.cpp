#include "screens/GameMenu.h"

#include "content/Controls.h"
#include "content/Labels.h"
#include "play/Difficulty.h"
#include "play/WavesGame.h"

#include "zp/EventKeyboard.h"
#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/LogManager.h"
#include "zp/Music.h"
#include "zp/ResourceManager.h"
#include "zp/Sprite.h"
#include "zp/WorldManager.h"

namespace {

const zp::Position PICTURE_POS(8, 0);
const int FIRST_TEXT_ROW = 10;

// The instructions under the picture, one row each from FIRST_TEXT_ROW on.
const char* const MENU_TEXT[] = {
    "Welcome to Cinderwatch!!",
    "Below are the different levels available.",
    "Select one using the keyboard.",
    "Press Q to quit and F to return to the menu",
    "Levels:",
    "1. Easy",
    "2. Medium",
    "3. Hard",
};

// Below the levels, a row apart: the difficulty and what it means.
const zp::Position DIFFICULTY_POS(0, 19);
const char* const DIFFICULTY_LABEL = "D. Difficulty: ";
const zp::Position DIFFICULTY_NOTE_POS(3, 20);

std::string difficultyNote(const DifficultyRow& row)
{
    return "enemy health " + std::to_string(row.health_percent) + "%, " + std::to_string(row.lives) +
           " lives";
}

} // namespace

GameMenu::GameMenu()
{
    setType("GameMenu");
    setPosition(zp::Position(0, 0));

    zp::ResourceManager& resources = zp::ResourceManager::getInstance();
    p_menu_sprite = resources.getSprite(MENU_SPRITE);
    if (p_menu_sprite == nullptr)
        zp::LogManager::getInstance().writeLog("GameMenu: sprite 'menu' not loaded");
    p_music = resources.getMusic(MENU_MUSIC);
    if (p_music != nullptr)
        p_music->play(true);
    else
        zp::LogManager::getInstance().writeLog("GameMenu: music 'menu' not loaded");
}

GameMenu::~GameMenu() = default;

int GameMenu::eventHandler(const zp::Event* p_e)
{
    if (p_e->getType() != zp::KEYBOARD_EVENT)
        return 0;

    const auto* p_key = static_cast<const zp::EventKeyboard*>(p_e);
    const int key = p_key->getKey();
    const Control* p_control = findControl(ControlPlace::MENU, key);
    if (p_control == nullptr)
        return 0;
    // Pressed, released and held all count; a level key takes the menu out
    // of the world, so the same key cannot start a second level. Only a
    // press changes the difficulty: a held key would spin through them.
    if (p_control->command == Command::QUIT)
        zp::GameManager::getInstance().setGameOver(true);
    else if (p_control->command == Command::CHOOSE_LEVEL)
        startLevel(keyIndex(*p_control, key) + 1);
    else if (p_control->command == Command::DIFFICULTY && p_key->getKeyboardAction() == zp::KEY_PRESSED)
        chooseDifficulty(nextDifficulty(chosenDifficulty()));
    return 0;
}

void GameMenu::startLevel(int level_number)
{
    // Out of the world at once, so no later event of this frame reaches the
    // menu; the mark then gives its memory back at the next update.
    zp::WorldManager& world = zp::WorldManager::getInstance();
    world.removeObject(this);
    world.markForDelete(this);
    // Stopped rather than paused, so the next menu plays it from the start.
    if (p_music != nullptr)
        p_music->stop();
    startWavesGame(level_number);
}

void GameMenu::draw()
{
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    if (p_menu_sprite != nullptr)
        graphics.drawFrame(PICTURE_POS, p_menu_sprite->getFrame(0), false, p_menu_sprite->getColor());
    int row = FIRST_TEXT_ROW;
    for (const char* text : MENU_TEXT)
        graphics.drawString(zp::Position(0, row++), text, zp::LEFT_JUSTIFIED, zp::BLUE);

    const DifficultyRow& difficulty = difficultyRow(chosenDifficulty());
    graphics.drawString(DIFFICULTY_POS, DIFFICULTY_LABEL, zp::LEFT_JUSTIFIED, zp::BLUE);
    graphics.drawString(zp::Position(DIFFICULTY_POS.getX() + int(std::string(DIFFICULTY_LABEL).size()),
                                     DIFFICULTY_POS.getY()),
                        difficulty.name, zp::LEFT_JUSTIFIED, zp::YELLOW);
    graphics.drawString(DIFFICULTY_NOTE_POS, difficultyNote(difficulty), zp::LEFT_JUSTIFIED, zp::BLUE);
}
