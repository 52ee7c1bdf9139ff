// What a turret reaches, shown on the board: while a turret is carried and
// for the selected turret, the cells it would reach are tinted faintly under
// everything drawn there (the track's cells among them more strongly), by
// the rule its targeting uses, and a line beside it counts the track's cells.
#pragma once

#include "zp/Box.h"
#include "zp/Color.h"
#include "zp/Position.h"

#include <string>

class Level;

const zp::Color REACH_SHADE = zp::CYAN;
const zp::Color TRACK_REACH_SHADE = zp::YELLOW;
const zp::Color COVERAGE_COLOR = zp::YELLOW;

// Tints every cell of the board that a turret at `from` with `range`
// reaches, the level's track cells with their own tint.
void shadeReach(const Level& level, zp::Position from, int range);

// "covers 23 track cells" (or "1 track cell").
std::string coverageText(int covered);
// The line beside a turret's box: to its right, or to its left where the
// right has no room before the buy panels; one blank cell between.
zp::Position coverageLinePosition(const zp::Box& turret_box, int length);
void drawCoverage(const zp::Box& turret_box, int covered);
