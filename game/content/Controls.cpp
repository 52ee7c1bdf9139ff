#include "content/Controls.h"

#include <SFML/Window/Keyboard.hpp>

#include <algorithm>

namespace {

using Key = sf::Keyboard;

} // namespace

const std::vector<Control>& controls()
{
    static const std::vector<Control> table = {
        {ControlPlace::MENU,
         Command::CHOOSE_LEVEL,
         {Key::Num1, Key::Num2, Key::Num3},
         "1 2 3",
         "choose a level",
         "play level 1 (easy), 2 (medium) or 3 (hard)"},
        {ControlPlace::MENU,
         Command::CONTINUE,
         {Key::C},
         "C",
         "continue a save",
         "continue the game you saved (or left), where you left it; the menu says which level and wave"},
        {ControlPlace::MENU,
         Command::SETTINGS,
         {Key::S},
         "S",
         "settings",
         "the settings: music and sound volume, mute, fullscreen"},
        {ControlPlace::MENU, Command::QUIT, {Key::Q}, "Q", "quit", "quit"},
        {ControlPlace::MENU,
         Command::DIFFICULTY,
         {Key::D},
         "D",
         "difficulty",
         "the difficulty of the games to come: Casual (enemy health × 0.8, 20 lives), Normal (the usual "
         "health, 10 lives), Veteran (enemy health × 1.2, 5 lives); the menu shows it"},
        {ControlPlace::PLAY,
         Command::CARRY,
         {},
         "Mouse",
         "carry, move the cursor",
         "carries the turret you are buying, and moves the placement cursor"},
        {ControlPlace::PLAY,
         Command::BUY_OR_PLACE,
         {},
         "Left click",
         "buy, place or select",
         "on a panel: buy a turret (if you have its price); on the board: place it there; with nothing "
         "carried, on one of your turrets: select it (elsewhere: clear the selection)"},
        {ControlPlace::PLAY,
         Command::SELL,
         {},
         "Right click",
         "sell for half its cost",
         "on one of your turrets: sell it for half of all it cost (its price and its upgrades)"},
        {ControlPlace::PLAY,
         Command::MOVE_CURSOR,
         {Key::Left, Key::Right, Key::Up, Key::Down},
         "Arrows",
         "move cursor (Shift: 5)",
         "move the placement cursor (the +) one cell, or five while Shift is held; a turret you "
         "carry moves with it"},
        {ControlPlace::PLAY,
         Command::BUY,
         {Key::Num1, Key::Num2, Key::Num3, Key::Num4, Key::Num5, Key::Num6, Key::Num7, Key::Num8, Key::Num9},
         "1 2 3",
         "buy Gatling/Rocket/Freeze",
         "buy a Gatling, a Rocket or a Freeze, as a click on its panel does (if you have its price; the "
         "digit on the panel is green when you do); the turret comes to the cursor"},
        {ControlPlace::PLAY,
         Command::PLACE_OR_SELECT,
         {Key::Enter},
         "Enter",
         "place, or select there",
         "place the turret you carry at the cursor, as a click does; with nothing carried, select your "
         "turret at the cursor"},
        {ControlPlace::PLAY,
         Command::CANCEL,
         {Key::Escape},
         "Esc",
         "drop, unselect or pause",
         "drop the turret you carry, at no cost; with nothing carried, clear the selection; with nothing "
         "selected, open the pause menu: Resume, Save and quit to the menu, Give up"},
        {ControlPlace::PLAY,
         Command::SELL_SELECTED,
         {Key::X, Key::Delete},
         "X or Delete",
         "sell the selected turret",
         "sell the selected turret, as a right click on it does"},
        {ControlPlace::PLAY, Command::GIVE_UP, {Key::F}, "F", "give up the level", "give up the level"},
        {ControlPlace::PLAY,
         Command::PAUSE,
         {Key::P, Key::Space},
         "P or Space",
         "pause and resume",
         "pause and resume (the music too); \"PAUSED\" shows beside the lives"},
        {ControlPlace::PLAY,
         Command::SPEED,
         {Key::Tab},
         "Tab",
         "speed 1x, 2x, 4x",
         "speed: 1x, 2x, 4x, then 1x again; a faster speed shows beside the lives"},
        {ControlPlace::PLAY,
         Command::NEXT_WAVE,
         {Key::N},
         "N",
         "next wave now",
         "while the next wave counts down: start it now"},
        {ControlPlace::PLAY,
         Command::HELP,
         {Key::H, Key::Slash},
         "H or ?",
         "this help (play waits)",
         "show or hide this list over the board; play waits while it shows"},
        {ControlPlace::PLAY,
         Command::FRAME_OVERLAY,
         {Key::F3},
         "F3",
         "steps/s, step, draw",
         "show or hide steps per second, the last step's time, and what the last frame cost to draw and show "
         "(its time, and the cells drawn again), bottom left"},
        {ControlPlace::PLAY,
         Command::SCREENSHOT,
         {Key::F12},
         "F12",
         "screenshot beside the log",
         "save a picture of the window beside the log, `cinderwatch-<date>_<time>.png`; the log says so"},
        {ControlPlace::PLAY,
         Command::TARGET,
         {Key::T},
         "T",
         "aim of selected turret",
         "on the selected turret (with none selected, the one under the cursor): its next targeting mode "
         "(first, closest, strongest, weakest, furthest along the track); any but the first shows as a "
         "yellow letter beside it (F, C, S, W, E)"},
        {ControlPlace::PLAY,
         Command::UPGRADE,
         {Key::U},
         "U",
         "upgrade selected turret",
         "on the selected turret (with none selected, the one under the cursor): buy its next upgrade (two "
         "levels above the base), if you have the cost; the level shows as a yellow digit beside it"},
        {ControlPlace::PAUSE_MENU,
         Command::CHOOSE_PREVIOUS,
         {Key::Up},
         "Up",
         "the choice above",
         "the choice above"},
        {ControlPlace::PAUSE_MENU,
         Command::CHOOSE_NEXT,
         {Key::Down},
         "Down",
         "the choice below",
         "the choice below"},
        {ControlPlace::PAUSE_MENU,
         Command::TAKE_CHOICE,
         {Key::Enter, Key::Space},
         "Enter or Space",
         "take the choice",
         "take the choice"},
        {ControlPlace::PAUSE_MENU,
         Command::BACK,
         {Key::Escape},
         "Esc",
         "back to the game",
         "back to the game (as Resume)"},
        {ControlPlace::SETTINGS,
         Command::CHOOSE_PREVIOUS,
         {Key::Up},
         "Up",
         "the setting above",
         "the setting above"},
        {ControlPlace::SETTINGS,
         Command::CHOOSE_NEXT,
         {Key::Down},
         "Down",
         "the setting below",
         "the setting below"},
        {ControlPlace::SETTINGS,
         Command::SETTING_DOWN,
         {Key::Left},
         "Left",
         "less (volumes in steps of 10)",
         "less: a volume down by 10, or a switch off"},
        {ControlPlace::SETTINGS,
         Command::SETTING_UP,
         {Key::Right},
         "Right",
         "more (volumes in steps of 10)",
         "more: a volume up by 10, or a switch on"},
        {ControlPlace::SETTINGS,
         Command::TAKE_CHOICE,
         {Key::Enter, Key::Space},
         "Enter or Space",
         "switch on or off",
         "switches the chosen switch (mute, fullscreen) on or off"},
        {ControlPlace::SETTINGS,
         Command::BACK,
         {Key::Escape, Key::S},
         "Esc or S",
         "back to the menu",
         "back to the menu (each change is kept at once)"},
        {ControlPlace::ANYWHERE,
         Command::FULLSCREEN,
         {Key::F11},
         "F11",
         "fullscreen",
         "fullscreen on and off (Alt+Enter too), the board kept whole in the middle of the screen; the "
         "window's size and "
         "fullscreen are kept for the next start (see [Settings](#settings))"},
        {ControlPlace::ANYWHERE,
         Command::MUTE,
         {Key::M},
         "M",
         "mute or unmute",
         "mute or unmute the sound and the music (kept in the settings); never recorded"},
        {ControlPlace::ANYWHERE,
         Command::CLOSE_WINDOW,
         {},
         "the window's close button",
         "quit",
         "quit; a level under way is saved first, to be continued"},
    };
    return table;
}

const Control* findControl(ControlPlace place, int key)
{
    for (const Control& control : controls())
        if (control.place == place && keyIndex(control, key) >= 0)
            return &control;
    return nullptr;
}

int keyIndex(const Control& control, int key)
{
    const auto found = std::find(control.keys.begin(), control.keys.end(), key);
    return found == control.keys.end() ? -1 : int(found - control.keys.begin());
}

std::string placeName(ControlPlace place)
{
    switch (place) {
    case ControlPlace::MENU:
        return "Menu";
    case ControlPlace::PLAY:
        return "Play";
    case ControlPlace::PAUSE_MENU:
        return "Pause menu";
    case ControlPlace::SETTINGS:
        return "Settings";
    case ControlPlace::ANYWHERE:
        break;
    }
    return "Anywhere";
}

std::vector<std::pair<std::string, std::string>> helpOverlayLines()
{
    std::vector<std::pair<std::string, std::string>> lines;
    for (const Control& control : controls()) {
        if (control.place == ControlPlace::MENU)
            lines.emplace_back(control.label, control.help + " (menu)");
        else if (control.place == ControlPlace::PLAY)
            lines.emplace_back(control.label, control.help);
        else if (control.place == ControlPlace::ANYWHERE && !control.keys.empty())
            lines.emplace_back(control.label, control.help + " (anywhere)");
    }
    return lines;
}

std::string usageKeysText()
{
    std::size_t width = 0;
    std::size_t place_width = 0;
    for (const Control& control : controls()) {
        width = std::max(width, control.label.size());
        place_width = std::max(place_width, placeName(control.place).size());
    }
    std::string text;
    for (const Control& control : controls()) {
        const std::string place = placeName(control.place);
        text += "  " + place + std::string(place_width + 2 - place.size(), ' ') + control.label +
                std::string(width - control.label.size() + 2, ' ') + control.help + "\n";
    }
    return text;
}

std::string readmeKeysTable()
{
    std::string table = "| Where | Key or button | What it does |\n|---|---|---|\n";
    for (const Control& control : controls())
        table += "| " + placeName(control.place) + " | " + control.label + " | " + control.detail + " |\n";
    return table;
}
