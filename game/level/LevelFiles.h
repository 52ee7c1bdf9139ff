// The three levels of the game: each is a level file and a path file of the
// data set.
#pragma once

struct LevelFiles {
    const char* level_file;
    const char* path_file;
};

const int LEVEL_COUNT = 3;

// Level 1 (easy) first; the menu's keys 1, 2 and 3 pick them in this order.
const LevelFiles LEVELS[LEVEL_COUNT] = {
    {"Levels/Level1/Level1.txt", "Levels/Level1/Level1Mov.txt"},
    {"Levels/Level2/Level2.txt", "Levels/Level2/Level2Mov.txt"},
    {"Levels/Level3/Level3.txt", "Levels/Level3/Level3Mov.txt"},
};
