// A piece of wall: hard, so the player cannot walk through it.
#pragma once

#include "zp/Object.h"

class Wall : public zp::Object {
public:
    explicit Wall(zp::Position where);
    void draw() override;
};
