// What the test needs to know of a level to play it: the path, the treasure
// and the cells the track's blocks take.
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

// Reads level N (1 to 3) of the repository's data set.
LevelData readLevel(int number);
// Width and height of a sprite file of the data set (relative to GameData/).
zp::Box spriteBox(const std::string& file);

} // namespace e2e
