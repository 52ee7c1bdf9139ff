// The player's ship on the bottom row: the arrow keys move it, a rock that
// hits it ends the game.
#pragma once

#include "zp/Object.h"

class Ship : public zp::Object {
public:
    Ship();
    int eventHandler(const zp::Event* p_e) override;
    void draw() override;

private:
    bool hit = false;
};
