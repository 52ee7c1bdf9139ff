// Every key and button of the game with its help, in one table: the menu,
// the treasure and the player's controls find their keys in it, and the help
// overlay, the --help text and the README's table (which a test compares)
// are written from it. A new key for a command is one row; a new command is
// one row and a case in the handler of its place.
#pragma once

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include <string>
#include <utility>
#include <vector>

// A right click on a turret sells it; the buy panels and the build cursor
// answer the other buttons.
const sf::Mouse::Button SELL_BUTTON = sf::Mouse::Right;
// With nothing carried, a left click on a turret selects it; elsewhere it
// clears the selection.
const sf::Mouse::Button SELECT_BUTTON = sf::Mouse::Left;
// While a Shift key is held, the arrows move the placement cursor this many
// cells at a time instead of one.
const int CURSOR_LEAP = 5;

// Where a control is heard.
enum class ControlPlace {
    MENU,
    PLAY,
    // The pause menu over the board (Esc during play).
    PAUSE_MENU,
    // The settings screen (S in the menu).
    SETTINGS,
    // Wherever the window is.
    ANYWHERE,
};

enum class Command {
    CHOOSE_LEVEL, // the first key chooses level 1, the second level 2...
    CONTINUE,
    SETTINGS,
    QUIT,
    DIFFICULTY,
    CARRY,
    BUY_OR_PLACE,
    SELL,
    MOVE_CURSOR, // left, right, up, down
    BUY,         // the first key buys from the top panel, the second from the next...
    PLACE_OR_SELECT,
    CANCEL,
    SELL_SELECTED,
    GIVE_UP,
    PAUSE,
    SPEED,
    NEXT_WAVE,
    HELP,
    FRAME_OVERLAY,
    SCREENSHOT,
    // Served by the engine's input manager (F11, and Enter with Alt), which
    // main turns on.
    FULLSCREEN,
    // For the selected turret, or with none selected the one under the
    // cursor: its next targeting mode, its next upgrade.
    TARGET,
    UPGRADE,
    CHOOSE_PREVIOUS,
    CHOOSE_NEXT,
    TAKE_CHOICE,
    BACK,
    SETTING_DOWN,
    SETTING_UP,
    MUTE,
    CLOSE_WINDOW,
};

struct Control {
    ControlPlace place;
    Command command;
    // The engine's key codes (SFML's); none for the mouse and the window.
    std::vector<int> keys;
    // The keys or button as the player knows them: "P or Space".
    std::string label;
    // A few words, for the help overlay and --help.
    std::string help;
    // A sentence, for the README.
    std::string detail;
};

// The table, in the order the help shows it.
const std::vector<Control>& controls();
// The Shift keys, which make the arrows leap.
const sf::Keyboard::Key LEAP_KEY = sf::Keyboard::LShift;
const sf::Keyboard::Key LEAP_KEY_OTHER = sf::Keyboard::RShift;

// The row of `place` that holds `key`, or nullptr.
const Control* findControl(ControlPlace place, int key);
// Where `key` stands among its row's keys (0 for the first), or -1.
int keyIndex(const Control& control, int key);

// "Menu", "Play", "Anywhere".
std::string placeName(ControlPlace place);
// What the help overlay shows, menu and play rows and the keys heard
// anywhere: {label, help}, the menu's help saying so ("quit (menu)"), and
// those heard anywhere too ("fullscreen (anywhere)").
std::vector<std::pair<std::string, std::string>> helpOverlayLines();
// The keys part of --help: a line a row.
std::string usageKeysText();
// The README's table under "Keys and mouse", header included, a line a row.
std::string readmeKeysTable();
