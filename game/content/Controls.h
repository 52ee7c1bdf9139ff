// The keys and buttons of play and the menu's difficulty key, beyond the
// menu's digits and Q and the F key that gives up a level. The help overlay
// lists them all.
#pragma once

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

// A right click on a turret sells it; the buy panels and the build cursor
// answer the other buttons.
const sf::Mouse::Button SELL_BUTTON = sf::Mouse::Right;
// With nothing carried, a left click on a turret selects it; elsewhere it
// clears the selection.
const sf::Mouse::Button SELECT_BUTTON = sf::Mouse::Left;

// Pause and resume play.
const sf::Keyboard::Key PAUSE_KEY = sf::Keyboard::P;
const sf::Keyboard::Key PAUSE_KEY_OTHER = sf::Keyboard::Space;
// The next speed: 1x, 2x, 4x, then 1x again.
const sf::Keyboard::Key SPEED_KEY = sf::Keyboard::Tab;
// Start the next wave now, while its countdown runs.
const sf::Keyboard::Key NEXT_WAVE_KEY = sf::Keyboard::N;
// Show or hide the help (H, or the key of "?").
const sf::Keyboard::Key HELP_KEY = sf::Keyboard::H;
const sf::Keyboard::Key HELP_KEY_OTHER = sf::Keyboard::Slash;
// Show or hide the steps per second and the last step's time.
const sf::Keyboard::Key FRAME_OVERLAY_KEY = sf::Keyboard::F3;
// The turret commands, for the selected turret: the next targeting mode,
// and the next upgrade.
const sf::Keyboard::Key TARGET_KEY = sf::Keyboard::T;
const sf::Keyboard::Key UPGRADE_KEY = sf::Keyboard::U;
// Play from the keyboard. The arrows move the placement cursor one cell,
// or CURSOR_LEAP cells while a Shift key is held.
const sf::Keyboard::Key CURSOR_LEFT_KEY = sf::Keyboard::Left;
const sf::Keyboard::Key CURSOR_RIGHT_KEY = sf::Keyboard::Right;
const sf::Keyboard::Key CURSOR_UP_KEY = sf::Keyboard::Up;
const sf::Keyboard::Key CURSOR_DOWN_KEY = sf::Keyboard::Down;
const sf::Keyboard::Key LEAP_KEY = sf::Keyboard::LShift;
const sf::Keyboard::Key LEAP_KEY_OTHER = sf::Keyboard::RShift;
const int CURSOR_LEAP = 5;
// The digit keys from 1 buy from the panels, the top one first, as a click
// on the panel does.
const sf::Keyboard::Key FIRST_PANEL_KEY = sf::Keyboard::Num1;
// Places the turret carried at the cursor, as a click does; with nothing
// carried, selects the turret at the cursor.
const sf::Keyboard::Key PLACE_KEY = sf::Keyboard::Enter;
// Drops the turret carried at no cost; with nothing carried, clears the selection.
const sf::Keyboard::Key CANCEL_KEY = sf::Keyboard::Escape;
// Sells the selected turret, as a right click on it does.
const sf::Keyboard::Key SELL_KEY = sf::Keyboard::X;
const sf::Keyboard::Key SELL_KEY_OTHER = sf::Keyboard::Delete;
// In the menu: the next difficulty.
const sf::Keyboard::Key DIFFICULTY_KEY = sf::Keyboard::D;
// Save a picture of the window beside the log.
const sf::Keyboard::Key SCREENSHOT_KEY = sf::Keyboard::F12;
