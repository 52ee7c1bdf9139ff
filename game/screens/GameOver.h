// Shown for 100 steps after a level ends; then a fresh menu.
#pragma once

#include "zp/ViewObject.h"

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
    // The "gameover" picture and the note that the menu comes next.
    void draw() override;

private:
    int countdown;
    // Owned by the resource manager; null when not loaded.
    zp::Sprite* p_gameover_sprite = nullptr;
};
