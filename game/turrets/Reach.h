// What a turret reaches from its place, by the rule its targeting uses: an
// enemy is a target when the scaled distance from the turret's position to
// the enemy's is at most the turret's range. Pure functions of the place,
// the range and the level, for the range display and for players that
// choose where to build.
#pragma once

#include "zp/Position.h"

#include <vector>

class Level;

// True when an enemy standing at `cell` would be in range of a turret at `turret`.
bool reaches(zp::Position turret, int range, zp::Position cell);

// The cells enemies stand on, each once: the level's enemy start and the
// cells of its path, by row and then column.
std::vector<zp::Position> trackCells(const Level& level);

// How many of the track's cells a turret at `turret` with `range` reaches.
int trackCellsCovered(const Level& level, zp::Position turret, int range);
