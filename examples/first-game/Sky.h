// Invisible: drops a rock at a random column every few steps, and ends the
// game after a given number of steps (0: never).
#pragma once

#include "zp/Object.h"

class Sky : public zp::Object {
public:
    explicit Sky(int game_steps);
    int eventHandler(const zp::Event* p_e) override;
};
