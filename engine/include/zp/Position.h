/// \file
/// A cell on the character grid: x is the column (rightwards), y the row (downwards).
#pragma once

namespace zp {

/// The largest cell coordinate or size that the data readers accept (about
/// 16.7 million): a position plus a size then stays far from the limit of int.
const int MAX_COORDINATE = 1 << 24;

class Position {
public:
    Position() = default;
    Position(int init_x, int init_y) : x(init_x), y(init_y) {}

    int getX() const { return x; }
    int getY() const { return y; }
    void setX(int new_x) { x = new_x; }
    void setY(int new_y) { y = new_y; }
    void setXY(int new_x, int new_y)
    {
        x = new_x;
        y = new_y;
    }

    bool operator==(const Position& other) const { return x == other.x && y == other.y; }
    bool operator!=(const Position& other) const { return !(*this == other); }

private:
    int x = 0;
    int y = 0;
};

} // namespace zp
