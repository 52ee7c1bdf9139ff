// The game's command line, read into Options from one table of options: an
// option is one row of that table plus the field it sets.
#pragma once

#include "play/Difficulty.h"

#include <string>
#include <vector>

struct Options {
    bool help = false;
    bool version = false;
    // 0: the splash screen and the menu as usual; 1 ... LEVEL_COUNT: that level at once.
    int level = 0;
    // The difficulty of the games played, until the menu changes it.
    Difficulty difficulty = Difficulty::NORMAL;
    bool difficulty_given = false;
    // Empty: the data set is looked for beside the program, then beside the working folder.
    std::string data_dir;
    // Non-empty: every input of the run is written to this recording file.
    std::string record_file;
    // Non-empty: the run plays this recording's input back instead of the player's.
    std::string replay_file;
    // With a replay: no window, no sound, no pacing; the final state is printed.
    bool headless = false;
    // The name of one of the engine's palettes; empty for the default.
    std::string palette;
    // Non-empty: the saved game in this file is continued at once. With a
    // replay, the replay's recording holds the whole game, and is played on
    // from where the save ends.
    std::string continue_file;
};

struct CommandLine {
    Options options;
    // What was wrong with the command line; empty when it was understood.
    std::string error;
};

// The arguments without the program's name.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);
CommandLine parseCommandLine(int argc, const char* const* argv);

// The usage message that --help prints: synopsis, every option of the table, the keys.
std::string usageText();
// "cinderwatch " and the version, one line.
std::string versionText();
