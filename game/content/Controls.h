// The keys and buttons of play and the menu's difficulty key, beyond the
// menu's digits and Q and the F key that gives up a level. The help overlay
// lists them all.
#pragma once

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

// A right click on a turret sells it; the buy panels and the build cursor
// answer the other buttons.
const sf::Mouse::Button SELL_BUTTON = sf::Mouse::Right;

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
// The turret commands, for the turret under the mouse pointer: the next
// targeting mode, and the next upgrade.
const sf::Keyboard::Key TARGET_KEY = sf::Keyboard::T;
const sf::Keyboard::Key UPGRADE_KEY = sf::Keyboard::U;
// In the menu: the next difficulty.
const sf::Keyboard::Key DIFFICULTY_KEY = sf::Keyboard::D;
// Save a picture of the window beside the log.
const sf::Keyboard::Key SCREENSHOT_KEY = sf::Keyboard::F12;
