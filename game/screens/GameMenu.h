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

struct SavedGame;

// The menu's line for the save it offers: "C  continue level 1, wave 7".
std::string continueText(const SavedGame& save);
inline const std::string SETTINGS_TEXT = "S  settings";

class GameMenu : public zp::ViewObject {
public:
    GameMenu();
    ~GameMenu() override;

    // Q ends the game; 1, 2 and 3 leave the menu for that level, C for the
    // saved game it offers, S for the settings; a press of D goes to the
    // next difficulty.
    int eventHandler(const zp::Event* p_e) override;
    // The "menu" picture, the instructions and the difficulty; beside them
    // the best result of each level at that difficulty, the save to
    // continue and notices about the player's files.
    void draw() override;

private:
    // Out of the world, its music stopped.
    void leave();
    // Leaves the menu for level 1, 2 or 3.
    void startLevel(int level_number);
    // Leaves the menu for the save it offers, if any.
    void continueSave();
    // Leaves the menu for the settings screen.
    void openSettings();
    void drawDifficulty() const;
    void drawProgress() const;

    // Both owned by the resource manager; null when not loaded.
    zp::Sprite* p_menu_sprite = nullptr;
    zp::Music* p_music = nullptr;
};
