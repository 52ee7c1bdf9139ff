// Shown for 100 steps after a level ends; then a fresh menu. Beside the
// picture and note it shows how the game went (the wave reached,
// what was destroyed, built and sold, the currency, the lives, the time) and
// whether it beat the level's best result.
#pragma once

#include "zp/ViewObject.h"

#include <string>
#include <vector>

namespace zp {
class Sprite;
}

// Steps that the game-over screen stays up (3.3 seconds at 33 ms a step).
const int GAME_OVER_STEPS = 100;

class GameOver : public zp::ViewObject {
public:
    GameOver();
    ~GameOver() override;

    // Counts steps; on the last one the screen leaves and a new menu starts.
    int eventHandler(const zp::Event* p_e) override;
    // The "gameover" picture, the note that the menu comes next, the
    // game's statistics and its news.
    void draw() override;

    // What it shows under the note, a line each (empty lines for gaps).
    const std::vector<std::string>& getReport() const;

private:
    int countdown;
    std::vector<std::string> report;
    // The line that announces a new best, or -1.
    int news_line = -1;
    // Owned by the resource manager; null when not loaded.
    zp::Sprite* p_gameover_sprite = nullptr;
};
