// One cell of the snake's body, behind its head.
#pragma once

#include "zp/Object.h"

class Segment : public zp::Object {
public:
    explicit Segment(zp::Position where);
    void draw() override;
};
