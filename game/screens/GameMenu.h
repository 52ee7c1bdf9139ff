// The level menu: keys 1, 2 and 3 start a level, D changes the difficulty
// of the games to come, Q quits. It plays the "menu" music from the start
// while it is shown.
#pragma once

#include "zp/ViewObject.h"

#include <string>

namespace zp {
class Music;
class Sprite;
} // namespace zp

class GameMenu : public zp::ViewObject {
public:
    GameMenu();
    ~GameMenu() override;

    // Q ends the game; 1, 2 and 3 leave the menu for that level; a press of
    // D goes to the next difficulty.
    int eventHandler(const zp::Event* p_e) override;
    // The "menu" picture, the instructions and the difficulty.
    void draw() override;

private:
    // Leaves the menu for level 1, 2 or 3.
    void startLevel(int level_number);

    // Both owned by the resource manager; null when not loaded.
    zp::Sprite* p_menu_sprite = nullptr;
    zp::Music* p_music = nullptr;
};
