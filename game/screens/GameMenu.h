// The level menu: keys 1, 2 and 3 start a level, Q quits. It plays the
// "menu" music from the start while it is shown.
#pragma once

#include <string>

#include "zp/ViewObject.h"

namespace zp {
class Music;
class Sprite;
} // namespace zp

// The level and path files that the menu's level keys start.
const char* const LEVEL1_FILE = "../GameData/Levels/Level1/Level1.txt";
const char* const LEVEL1_PATH_FILE = "../GameData/Levels/Level1/Level1Mov.txt";
const char* const LEVEL2_FILE = "../GameData/Levels/Level2/Level2.txt";
const char* const LEVEL2_PATH_FILE = "../GameData/Levels/Level2/Level2Mov.txt";
const char* const LEVEL3_FILE = "../GameData/Levels/Level3/Level3.txt";
const char* const LEVEL3_PATH_FILE = "../GameData/Levels/Level3/Level3Mov.txt";

class GameMenu : public zp::ViewObject {
public:
    GameMenu();
    ~GameMenu() override;

    // Q ends the game; 1, 2 and 3 leave the menu for that level.
    int eventHandler(const zp::Event* p_e) override;
    // The "menu" picture and the instructions.
    void draw() override;

private:
    void startLevel(const std::string& level_file, const std::string& path_file);

    // Both owned by the resource manager; null when not loaded.
    zp::Sprite* p_menu_sprite = nullptr;
    zp::Music* p_music = nullptr;
};
