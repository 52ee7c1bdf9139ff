// A star to catch: soft, so the player walks onto it and the world reports
// the collision.
#pragma once

#include "zp/Object.h"

class Star : public zp::Object {
public:
    explicit Star(zp::Position where);
    void draw() override;
};
