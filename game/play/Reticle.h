// The red "+" that marks the mouse on the board.
#pragma once

#include "zp/Object.h"

class Reticle : public zp::Object {
public:
    // In the middle of the world.
    Reticle();
    ~Reticle() override;

    // Follows mouse moves; clicks do not move it.
    int eventHandler(const zp::Event* p_e) override;
    void draw() override;
};
