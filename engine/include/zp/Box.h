/// \file
/// A rectangle of cells: a top-left corner and a size. Collision tests treat
/// both edges as inside, so a box reaches its right and bottom neighbours.
#pragma once

#include "zp/Position.h"

namespace zp {

class Box {
public:
    Box() = default;
    Box(Position init_corner, int init_horizontal, int init_vertical)
        : corner(init_corner), horizontal(init_horizontal), vertical(init_vertical)
    {
    }

    Position getCorner() const { return corner; }
    void setCorner(Position new_corner) { corner = new_corner; }
    int getHorizontal() const { return horizontal; }
    void setHorizontal(int new_horizontal) { horizontal = new_horizontal; }
    int getVertical() const { return vertical; }
    void setVertical(int new_vertical) { vertical = new_vertical; }

private:
    Position corner;
    int horizontal = 0;
    int vertical = 0;
};

} // namespace zp
