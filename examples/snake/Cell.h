// Every piece of the game stands on one cell. An object's box covers one
// cell more to the right and below for collisions (boxes that touch
// collide), so a box of size 0 x 0 makes an object collide on its own cell
// only: a snake's head beside a wall touches nothing.
#pragma once

#include "zp/Box.h"
#include "zp/Position.h"

const zp::Box ONE_CELL(zp::Position(0, 0), 0, 0);

// The field inside the walls.
const int FIELD_LEFT = 1;
const int FIELD_RIGHT = 78;
const int FIELD_TOP = 2;
const int FIELD_BOTTOM = 22;
