#include "screens/GameMenu.h"

#include "content/Controls.h"
#include "content/Labels.h"
#include "level/LevelFiles.h"
#include "play/Difficulty.h"
#include "play/WavesGame.h"
#include "progress/PlayStatistics.h"
#include "progress/PlayerProgress.h"
#include "screens/SettingsScreen.h"

#include "zp/EventKeyboard.h"
#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/LogManager.h"
#include "zp/Music.h"
#include "zp/ResourceManager.h"
#include "zp/Sprite.h"
#include "zp/WorldManager.h"

#include <algorithm>
#include <string>
#include <vector>

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
// The best result of each level stands beside its line, from this column.
const int LEVEL_LINE_ROW = 15;
const int BEST_COLUMN = 12;
// Below the levels, a row apart: the difficulty (DIFFICULTY_POS), what else
// the menu offers, then notices about the player's files.
const int CONTINUE_ROW = 20;
const int SETTINGS_ROW = 21;
const int NOTICES_ROW = 22;
const int NOTICE_ROWS = 2;
const int SCREEN_COLUMNS = 80;

std::string bestText(const BestResult& best)
{
    return "best: wave " + std::to_string(best.wave) + ", " + std::to_string(best.enemies) + " enemies, " +
           playTimeText(best.steps);
}

// The difficulty and, after its longest name, what it means.
const zp::Position DIFFICULTY_POS(0, 19);
const char* const DIFFICULTY_LABEL = "D. Difficulty: ";
const zp::Position DIFFICULTY_NOTE_POS(24, 19);

std::string difficultyNote(const DifficultyRow& row)
{
    return "enemy health " + std::to_string(row.health_percent) + "%, " + std::to_string(row.lives) +
           " lives";
}

} // namespace

std::string continueText(const SavedGame& save)
{
    return "C  continue level " + std::to_string(save.level) + ", wave " + std::to_string(save.wave);
}

GameMenu::GameMenu()
{
    setType("GameMenu");
    setPosition(zp::Position(0, 0));

    zp::ResourceManager& resources = zp::ResourceManager::getInstance();
    p_menu_sprite = resources.getSprite(MENU_SPRITE);
    if (p_menu_sprite == nullptr)
        zp::LogManager::getInstance().writeLog("GameMenu: sprite 'menu' not loaded");
    p_music = resources.getMusic(MENU_MUSIC);
    // From the start, unless it plays on from the settings screen.
    if (p_music != nullptr && p_music->getMusic()->getStatus() != sf::SoundSource::Playing)
        p_music->play(true);
    else if (p_music == nullptr)
        zp::LogManager::getInstance().writeLog("GameMenu: music 'menu' not loaded");
    PlayerProgress::getInstance().refreshSaves();
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
    else if (p_control->command == Command::CONTINUE)
        continueSave();
    else if (p_control->command == Command::SETTINGS)
        openSettings();
    else if (p_control->command == Command::DIFFICULTY && p_key->getKeyboardAction() == zp::KEY_PRESSED)
        chooseDifficulty(nextDifficulty(chosenDifficulty()));
    return 0;
}

void GameMenu::openSettings()
{
    // The music plays on under the settings, so its volume can be heard.
    zp::WorldManager& world = zp::WorldManager::getInstance();
    world.removeObject(this);
    world.markForDelete(this);
    new SettingsScreen;
}

void GameMenu::leave()
{
    // Out of the world at once, so no later event of this frame reaches the
    // menu; the mark then gives its memory back at the next update.
    zp::WorldManager& world = zp::WorldManager::getInstance();
    world.removeObject(this);
    world.markForDelete(this);
    // Stopped rather than paused, so the next menu plays it from the start.
    if (p_music != nullptr)
        p_music->stop();
}

void GameMenu::continueSave()
{
    PlayerProgress& progress = PlayerProgress::getInstance();
    if (progress.latestSave() == nullptr)
        return;
    leave();
    progress.continueLatest();
}

void GameMenu::startLevel(int level_number)
{
    leave();
    startWavesGame(level_number);
    PlayerProgress::getInstance().levelStarted(level_number);
}

void GameMenu::draw()
{
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    if (p_menu_sprite != nullptr)
        graphics.drawFrame(PICTURE_POS, p_menu_sprite->getFrame(0), false, p_menu_sprite->getColor());
    int row = FIRST_TEXT_ROW;
    for (const char* text : MENU_TEXT)
        graphics.drawString(zp::Position(0, row++), text, zp::LEFT_JUSTIFIED, zp::BLUE);
    drawDifficulty();
    drawProgress();
}

void GameMenu::drawDifficulty() const
{
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    const DifficultyRow& difficulty = difficultyRow(chosenDifficulty());
    graphics.drawString(DIFFICULTY_POS, DIFFICULTY_LABEL, zp::LEFT_JUSTIFIED, zp::BLUE);
    graphics.drawString(zp::Position(DIFFICULTY_POS.getX() + int(std::string(DIFFICULTY_LABEL).size()),
                                     DIFFICULTY_POS.getY()),
                        difficulty.name, zp::LEFT_JUSTIFIED, zp::YELLOW);
    graphics.drawString(DIFFICULTY_NOTE_POS, difficultyNote(difficulty), zp::LEFT_JUSTIFIED, zp::BLUE);
}

void GameMenu::drawProgress() const
{
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    graphics.drawString(zp::Position(0, SETTINGS_ROW), SETTINGS_TEXT, zp::LEFT_JUSTIFIED, zp::BLUE);
    PlayerProgress& progress = PlayerProgress::getInstance();
    if (!progress.isOn())
        return;
    // The best results of the difficulty the menu would play.
    const std::string difficulty = difficultyRow(chosenDifficulty()).key;
    for (int level = 1; level <= LEVEL_COUNT; ++level)
        if (const BestResult* p_best = progress.getRecords().best(level, difficulty))
            graphics.drawString(zp::Position(BEST_COLUMN, LEVEL_LINE_ROW + level - 1), bestText(*p_best),
                                zp::LEFT_JUSTIFIED, zp::CYAN);
    if (const SavedGame* p_save = progress.latestSave())
        graphics.drawString(zp::Position(0, CONTINUE_ROW), continueText(*p_save), zp::LEFT_JUSTIFIED,
                            zp::GREEN);
    const std::vector<std::string>& notices = progress.getNotices();
    const int shown = std::min<int>(NOTICE_ROWS, static_cast<int>(notices.size()));
    for (int i = 0; i < shown; ++i) {
        const std::string& notice = notices[notices.size() - static_cast<std::size_t>(shown - i)];
        graphics.drawString(zp::Position(0, NOTICES_ROW + i), notice.substr(0, SCREEN_COLUMNS),
                            zp::LEFT_JUSTIFIED, zp::RED);
    }
}
