// Where the game's data set lives: every sprite, level, sound and music file
// is named relative to it.
#pragma once

#include <string>

// Beside the working directory, one level up.
const char* const GAME_DATA_DIR = "../GameData/";

// The path of a file of the data set, e.g. "Menu/Menu.txt".
std::string gameDataPath(const std::string& relative_path);
