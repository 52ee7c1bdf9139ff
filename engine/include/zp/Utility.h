/// \file
/// Free helpers of the engine: box intersection, distances, angles, text, an
/// object's box in the world and where the program itself lies.
#pragma once

#include "zp/Box.h"
#include "zp/Position.h"

#include <cstdio>
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

/// For a program whose standard output matters (a final state printed, a
/// pipe): standard streams that were closed when it started are held by a
/// descriptor that refuses writes, so that no file opened later takes their
/// place and writes to them fail; a write to a pipe whose reader has gone
/// fails instead of ending the program with SIGPIPE. Call it first thing
/// in main; GameManager::startUp calls it too.
void guardStandardStreams();
/// Whether the stream is a terminal (where a status line may be rewritten).
bool isTerminal(std::FILE* p_stream);

} // namespace zp
