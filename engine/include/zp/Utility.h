/// \file
/// Free helpers of the engine: box intersection, distances, angles, text, an
/// object's box in the world and where the program itself lies.
#pragma once

#include "zp/Box.h"
#include "zp/Position.h"

#include <string>

namespace zp {

class Object;

/// True when the boxes overlap; touching edges and corners count as overlap.
/// Exact for corners and sizes anywhere in the range of int.
bool boxIntersectsBox(Box a, Box b);
/// Distance in cell widths, with rows stretched by 2.5 (a cell is 2.5 times as tall as wide).
/// Distances too large for an int give the largest int.
int scaledDistance(Position a, Position b);
int distance(Position a, Position b);
/// Direction from `from` to `to` in whole degrees: 0 right, 90 down, 180 left, -90 up.
int angle(Position from, Position to);
std::string toString(int value);

/// The object's box placed at the object's position, or at `where`; a corner
/// that would lie beyond the range of int stops at its end.
Box getWorldBox(const Object* p_object);
Box getWorldBox(const Object* p_object, Position where);

/// The absolute path of the running program's executable, so a game can find
/// files installed beside it; empty when the system cannot tell.
std::string executablePath();

} // namespace zp
