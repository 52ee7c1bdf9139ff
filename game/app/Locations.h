// Where the game finds its font and data set and writes its log. The font and
// the data are looked for beside the program's own executable (its build
// folder, wherever that is, or the tree it was installed into), then where
// the game has always had them: "zp-font.ttf" in the working folder and
// "../GameData/" beside it.
// The log stays in the working folder when that takes it, else goes to the
// user's state folder.
#pragma once

#include <string>

// From the folder of the installed executable to the game's installed files
// (set by the build from its install layout).
#ifndef CINDERWATCH_SHARE_FROM_BIN
#define CINDERWATCH_SHARE_FROM_BIN "../share/cinderwatch"
#endif

// The build a program comes from, as the build itself tells it: the folder
// its programs are made in and its source tree's data set. A program still
// in that folder (not installed) reads that data set, wherever the build
// folder lies.
struct BuildTree {
    std::string output_dir; // empty when unknown
    std::string data_dir;
};

// What the search depends on, read from the process by processEnvironment().
struct Environment {
    std::string executable_path; // empty when the system cannot tell
    std::string xdg_state_home;  // empty when unset
    std::string xdg_data_home;   // empty when unset
    std::string xdg_config_home; // empty when unset
    std::string home;            // empty when unset
    std::string local_app_data;  // %LOCALAPPDATA%, read on Windows only
    BuildTree build_tree;
};

// The build this program was compiled in.
BuildTree thisBuildTree();

struct Locations {
    std::string font_file;
    std::string data_dir;
    std::string log_file;
    // True when the working folder took no log and it went to the state folder.
    bool log_moved = false;
};

Environment processEnvironment();

// The first font among the executable's folder, the installed files and
// finally FONT_FILE_DEFAULT in the working folder.
std::string findFontFile(const std::string& executable_path);
// `data_override` when given; else the build's source data set when the
// executable is in the build's output folder; else the first data set found
// one level above the executable's folder or among the installed files (on
// Windows the installed files first); else GAME_DATA_DIR.
std::string findDataDir(const std::string& executable_path, const std::string& data_override,
                        const BuildTree& build_tree = BuildTree());
// The log file in the user's state folder: on Windows
// %LOCALAPPDATA%\cinderwatch, elsewhere $XDG_STATE_HOME/cinderwatch (by
// default ~/.local/state/cinderwatch); empty when there is no such folder.
std::string stateLogFile(const Environment& environment);
// The folder of what the player keeps (best results, saved games): on
// Windows %LOCALAPPDATA%\cinderwatch, elsewhere $XDG_DATA_HOME/cinderwatch,
// by default ~/.local/share/cinderwatch; empty when there is no home.
std::string playerDataFolder(const Environment& environment);
// The player's settings file: on Windows %LOCALAPPDATA%\cinderwatch\settings,
// elsewhere $XDG_CONFIG_HOME/cinderwatch/settings, by default
// ~/.config/cinderwatch/settings; empty when there is no home.
std::string settingsFile(const Environment& environment);
// LOGFILE_NAME when the working folder takes it, else the state folder's log
// (its folder made if need be); LOGFILE_NAME when neither can be written.
std::string chooseLogFile(const Environment& environment, bool& moved);

Locations findLocations(const Environment& environment, const std::string& data_override);
// The three places, one quoted path a line, for messages to the player.
std::string describeLocations(const Locations& locations);
