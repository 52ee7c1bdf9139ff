// A fresh run folder for each test: the working directory becomes
// <tmp>/run, with ../GameData linked to the repository's data and the game
// font copied beside it, so relative paths resolve as in the real game.
#pragma once

#include <string>

namespace zp::test {

// Creates a new folder and changes into it; the test main calls it before
// every test.
void enterFreshRunDir();
// Removes every folder made so far (the test main does so after a green run).
void removeRunDirs();
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
