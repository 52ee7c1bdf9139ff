// A fresh run folder for one test process: the working directory becomes
// <tmp>/run, with ../GameData linked to the repository's data and the game
// font copied beside it, so relative paths resolve as in the real game.
#pragma once

#include <string>

namespace zp::test {

// Creates the folder and changes into it; called once by the test main.
void enterFreshRunDir();
// Absolute path of the run folder, e.g. to place extra files in it.
std::string runDir();
// Absolute path of a file under tests/fixtures.
std::string fixture(const std::string& name);
// Writes a text file (relative to the run folder unless absolute); returns its path.
std::string writeFile(const std::string& path, const std::string& text);
// The whole content of a text file, or an empty string.
std::string readFile(const std::string& path);
// The last lines of the engine log of this run.
std::string logTail(int lines = 30);

} // namespace zp::test
