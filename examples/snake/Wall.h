// One cell of the wall round the field: hard, so it stops the snake.
#pragma once

#include "zp/Object.h"

class Wall : public zp::Object {
public:
    explicit Wall(zp::Position where);
    void draw() override;
};
