#include "screens/SettingsScreen.h"

#include "content/Controls.h"
#include "content/Labels.h"
#include "progress/PlayerSettings.h"
#include "screens/GameMenu.h"

#include "zp/EventKeyboard.h"
#include "zp/GraphicsManager.h"
#include "zp/ResourceManager.h"
#include "zp/Sound.h"
#include "zp/WorldManager.h"

#include <algorithm>

namespace {

const zp::Position TITLE_POS(40, 3);
const char* const TITLE = "Settings";
const int FIRST_SETTING_ROW = 7;
const int SETTING_COLUMN = 20;
const int HINT_ROW = 13;
const char* const HINT = "Up and Down choose, Left and Right change, Enter switches, Esc or S: back";
const int FILE_ROW = 15;
const int PROBLEM_ROW = 17;
const int SCREEN_COLUMNS = 80;

enum Choice { MUSIC_VOLUME = 0, SOUND_VOLUME = 1, MUTE = 2, FULLSCREEN = 3, CHOICE_COUNT = 4 };
const int NAME_WIDTH = 16;

// A sound to hear the sounds' volume by as it changes.
const char* const SAMPLE_SOUND = "shoot";

std::string volumeText(int volume)
{
    return "< " + std::to_string(volume) + " >";
}

} // namespace

SettingsScreen::SettingsScreen()
{
    setType("SettingsScreen");
    setPosition(zp::Position(0, 0));
}

SettingsScreen::~SettingsScreen() = default;

int SettingsScreen::getChoice() const
{
    return choice;
}

std::vector<std::string> SettingsScreen::settingLines() const
{
    const SettingsValues& values = PlayerSettings::getInstance().getValues();
    const zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    const std::string names[CHOICE_COUNT] = {"Music volume", "Sound volume", "Mute", "Fullscreen"};
    const std::string settings[CHOICE_COUNT] = {
        volumeText(values.music_volume), volumeText(values.sound_volume),
        values.mute ? "on (M anywhere)" : "off (M anywhere)",
        graphics.isFullscreen() ? "on (F11 anywhere)" : "off (F11 anywhere)"};
    std::vector<std::string> lines;
    for (int i = 0; i < CHOICE_COUNT; ++i)
        lines.push_back(std::string(i == choice ? "> " : "  ") + names[i] +
                        std::string(NAME_WIDTH - names[i].size(), ' ') + settings[i]);
    // The windowed size is not chosen here: the window's edges set it.
    const sf::Vector2u windowed = graphics.getWindowedSize();
    const std::string window = "Window size";
    lines.push_back("  " + window + std::string(NAME_WIDTH - window.size(), ' ') +
                    std::to_string(windowed.x) + " x " + std::to_string(windowed.y) +
                    " (drag the window's edges)");
    return lines;
}

int SettingsScreen::eventHandler(const zp::Event* p_e)
{
    if (p_e->getType() != zp::KEYBOARD_EVENT)
        return 0;
    const auto* p_key = static_cast<const zp::EventKeyboard*>(p_e);
    if (p_key->getKeyboardAction() != zp::KEY_PRESSED)
        return 0;
    const Control* p_control = findControl(ControlPlace::SETTINGS, p_key->getKey());
    if (p_control == nullptr)
        return 0;
    switch (p_control->command) {
    case Command::CHOOSE_PREVIOUS:
        choice = (choice + CHOICE_COUNT - 1) % CHOICE_COUNT;
        break;
    case Command::CHOOSE_NEXT:
        choice = (choice + 1) % CHOICE_COUNT;
        break;
    case Command::SETTING_DOWN:
        change(-1);
        break;
    case Command::SETTING_UP:
        change(1);
        break;
    case Command::TAKE_CHOICE:
        if (choice == MUTE || choice == FULLSCREEN)
            change(0);
        break;
    case Command::BACK:
        leave();
        break;
    default:
        break;
    }
    return 1;
}

void SettingsScreen::change(int direction)
{
    if (choice == FULLSCREEN) {
        // Left turns it off, Right on, Enter switches; the window's state is
        // kept in the settings when the program ends, as after F11.
        zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
        graphics.setFullscreen(direction == 0 ? !graphics.isFullscreen() : direction > 0);
        return;
    }
    PlayerSettings& player = PlayerSettings::getInstance();
    SettingsValues values = player.getValues();
    const auto step = [direction](int volume) {
        return std::clamp(volume + direction * VOLUME_STEP, zp::VOLUME_MIN, zp::VOLUME_MAX);
    };
    if (choice == MUSIC_VOLUME) {
        values.music_volume = step(values.music_volume);
    } else if (choice == SOUND_VOLUME) {
        values.sound_volume = step(values.sound_volume);
    } else {
        // Left turns it off, Right on, Enter switches.
        values.mute = direction == 0 ? !values.mute : direction > 0;
    }
    if (values == player.getValues())
        return;
    player.change(values);
    if (choice == SOUND_VOLUME)
        if (zp::Sound* p_sound = zp::ResourceManager::getInstance().getSound(SAMPLE_SOUND))
            p_sound->play(false);
}

void SettingsScreen::leave()
{
    zp::WorldManager& world = zp::WorldManager::getInstance();
    world.removeObject(this);
    world.markForDelete(this);
    // The menu's music has played on meanwhile.
    new GameMenu;
}

void SettingsScreen::draw()
{
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    graphics.drawString(TITLE_POS, TITLE, zp::CENTER_JUSTIFIED, zp::YELLOW);
    const std::vector<std::string> lines = settingLines();
    for (int i = 0; i < static_cast<int>(lines.size()); ++i)
        graphics.drawString(zp::Position(SETTING_COLUMN, FIRST_SETTING_ROW + i), lines[std::size_t(i)],
                            zp::LEFT_JUSTIFIED, i == choice ? zp::CYAN : zp::WHITE);
    graphics.drawString(zp::Position(SCREEN_COLUMNS / 2, HINT_ROW), HINT, zp::CENTER_JUSTIFIED, zp::BLUE);
    const PlayerSettings& player = PlayerSettings::getInstance();
    const std::string kept =
        player.getPath().empty() ? "Not kept: no home folder to keep them in" : "Kept in " + player.getPath();
    graphics.drawString(zp::Position(0, FILE_ROW), kept.substr(0, SCREEN_COLUMNS), zp::LEFT_JUSTIFIED,
                        zp::BLUE);
    const std::string& problem = player.getProblem();
    for (std::size_t at = 0, row = PROBLEM_ROW; at < problem.size() && row < PROBLEM_ROW + 4;
         at += SCREEN_COLUMNS, ++row)
        graphics.drawString(zp::Position(0, static_cast<int>(row)), problem.substr(at, SCREEN_COLUMNS),
                            zp::LEFT_JUSTIFIED, zp::RED);
}
