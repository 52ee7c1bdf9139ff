// What a test needs to know of a level to play it: the path, the treasure
// and the cells the track's blocks take, read by the game's own readers.
#pragma once

#include "zp/Box.h"
#include "zp/Position.h"

#include <string>
#include <vector>

namespace e2e {

struct LevelData {
    zp::Position enemy_start;
    zp::Position treasure;
    std::vector<zp::Position> path;
    std::vector<zp::Box> blocks;
};

// Level N (1 to 3) of the repository's data set.
LevelData readLevel(int number);
// The width and height of the data set's sprite with this label.
zp::Box spriteBox(const std::string& label);

} // namespace e2e
