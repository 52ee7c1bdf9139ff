// Where the game's data set lives: every sprite, level, sound and music file
// is named relative to it.
#pragma once

#include <string>

// Beside the working directory, one level up, unless the game is told otherwise.
const char* const GAME_DATA_DIR = "../GameData/";

// The folder of the data set from now on; "" goes back to GAME_DATA_DIR.
void setGameDataDir(const std::string& dir);
// The folder of the data set, always ending in '/'.
std::string gameDataDir();

// The path of a file of the data set, e.g. "Menu/Menu.txt".
std::string gameDataPath(const std::string& relative_path);
