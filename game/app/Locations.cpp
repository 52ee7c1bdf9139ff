#include "app/Locations.h"

#include "content/DataPaths.h"

#include "zp/GraphicsManager.h"
#include "zp/LogManager.h"
#include "zp/Utility.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const DATA_FOLDER_NAME = "GameData";
const char* const STATE_FOLDER_NAME = "cinderwatch";
const char* const SETTINGS_FILE_NAME = "settings";

// The places beside the executable, in the order they are tried: its own
// folder (a build folder) and the installed files.
fs::path installedFiles(const fs::path& executable_dir)
{
    return (executable_dir / CINDERWATCH_SHARE_FROM_BIN).lexically_normal();
}

bool isFile(const fs::path& path)
{
    std::error_code ignored;
    return fs::is_regular_file(path, ignored);
}

bool isFolder(const fs::path& path)
{
    std::error_code ignored;
    return fs::is_directory(path, ignored);
}

// The same folder, however each is spelled (links, "..").
bool inBuildFolder(const fs::path& executable_dir, const BuildTree& build_tree)
{
    if (build_tree.output_dir.empty())
        return false;
    std::error_code unknown;
    return fs::equivalent(executable_dir, build_tree.output_dir, unknown) && !unknown;
}

// Opening for appending creates the file but keeps what it holds; the log
// manager truncates it when it starts.
bool takesWrites(const std::string& path)
{
    std::FILE* p_file = std::fopen(path.c_str(), "a");
    if (p_file == nullptr)
        return false;
    std::fclose(p_file);
    return true;
}

std::string fromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace

BuildTree thisBuildTree()
{
    BuildTree tree;
#if defined(CINDERWATCH_BUILD_OUTPUT_DIR) && defined(CINDERWATCH_SOURCE_DATA_DIR)
    tree.output_dir = CINDERWATCH_BUILD_OUTPUT_DIR;
    tree.data_dir = CINDERWATCH_SOURCE_DATA_DIR;
#endif
    return tree;
}

Environment processEnvironment()
{
    Environment environment;
    environment.executable_path = zp::executablePath();
    environment.build_tree = thisBuildTree();
    environment.xdg_state_home = fromEnvironment("XDG_STATE_HOME");
    environment.xdg_data_home = fromEnvironment("XDG_DATA_HOME");
    environment.xdg_config_home = fromEnvironment("XDG_CONFIG_HOME");
    environment.home = fromEnvironment("HOME");
#ifdef _WIN32
    environment.local_app_data = fromEnvironment("LOCALAPPDATA");
#endif
    return environment;
}

std::string findFontFile(const std::string& executable_path)
{
    if (!executable_path.empty()) {
        const fs::path executable_dir = fs::path(executable_path).parent_path();
        for (const fs::path& folder : {executable_dir, installedFiles(executable_dir)}) {
            const fs::path font = folder / zp::FONT_FILE_DEFAULT;
            if (isFile(font))
                return font.string();
        }
    }
    return zp::FONT_FILE_DEFAULT;
}

std::string findDataDir(const std::string& executable_path, const std::string& data_override,
                        const BuildTree& build_tree)
{
    if (!data_override.empty())
        return data_override;
    if (executable_path.empty())
        return GAME_DATA_DIR;
    const fs::path executable_dir = fs::path(executable_path).parent_path();
    if (inBuildFolder(executable_dir, build_tree) && isFolder(build_tree.data_dir))
        return (fs::path(build_tree.data_dir).lexically_normal() / "").string();
    const fs::path beside_build = (executable_dir.parent_path() / DATA_FOLDER_NAME).lexically_normal();
    const fs::path installed = installedFiles(executable_dir) / DATA_FOLDER_NAME;
    // Where the installed files are the program's own folder (on Windows),
    // they come first, as the font beside the program does.
    const bool installed_beside_program = std::string(CINDERWATCH_SHARE_FROM_BIN) == ".";
    for (const fs::path& data : installed_beside_program ? std::vector<fs::path>{installed, beside_build}
                                                         : std::vector<fs::path>{beside_build, installed}) {
        if (isFolder(data))
            return data.string() + "/";
    }
    return GAME_DATA_DIR;
}

// Windows keeps a program's own files for one user in its local application
// data (read on Windows only); a relative one is ignored there too.
static bool inLocalAppData(const Environment& environment, const std::string& file_name, std::string& path)
{
    if (environment.local_app_data.empty())
        return false;
    path = fs::path(environment.local_app_data).is_absolute()
               ? (fs::path(environment.local_app_data) / STATE_FOLDER_NAME / file_name).string()
               : "";
    return true;
}

std::string stateLogFile(const Environment& environment)
{
    std::string path;
    if (inLocalAppData(environment, zp::LOGFILE_NAME, path))
        return path;
    // A relative XDG_STATE_HOME is invalid and ignored.
    fs::path state;
    if (fs::path(environment.xdg_state_home).is_absolute())
        state = environment.xdg_state_home;
    else if (!environment.home.empty())
        state = fs::path(environment.home) / ".local" / "state";
    else
        return "";
    return (state / STATE_FOLDER_NAME / zp::LOGFILE_NAME).string();
}

std::string playerDataFolder(const Environment& environment)
{
    std::string path;
    if (inLocalAppData(environment, "", path))
        return fs::path(path).parent_path().string();
    // A relative XDG_DATA_HOME is invalid and ignored, as for the state folder.
    fs::path data;
    if (fs::path(environment.xdg_data_home).is_absolute())
        data = environment.xdg_data_home;
    else if (!environment.home.empty())
        data = fs::path(environment.home) / ".local" / "share";
    else
        return "";
    return (data / STATE_FOLDER_NAME).string();
}

std::string settingsFile(const Environment& environment)
{
    std::string path;
    if (inLocalAppData(environment, SETTINGS_FILE_NAME, path))
        return path;
    // A relative XDG_CONFIG_HOME is invalid and ignored, as for the state folder.
    fs::path config;
    if (fs::path(environment.xdg_config_home).is_absolute())
        config = environment.xdg_config_home;
    else if (!environment.home.empty())
        config = fs::path(environment.home) / ".config";
    else
        return "";
    return (config / STATE_FOLDER_NAME / SETTINGS_FILE_NAME).string();
}

std::string chooseLogFile(const Environment& environment, bool& moved)
{
    moved = false;
    if (takesWrites(zp::LOGFILE_NAME))
        return zp::LOGFILE_NAME;
    const std::string state_log = stateLogFile(environment);
    if (state_log.empty())
        return zp::LOGFILE_NAME;
    std::error_code ignored;
    fs::create_directories(fs::path(state_log).parent_path(), ignored);
    if (!takesWrites(state_log))
        return zp::LOGFILE_NAME;
    moved = true;
    return state_log;
}

Locations findLocations(const Environment& environment, const std::string& data_override)
{
    Locations locations;
    locations.font_file = findFontFile(environment.executable_path);
    locations.data_dir = findDataDir(environment.executable_path, data_override, environment.build_tree);
    locations.log_file = chooseLogFile(environment, locations.log_moved);
    return locations;
}

std::string describeLocations(const Locations& locations)
{
    // The log's full path, so the player finds it whatever the working folder.
    std::error_code unknown_folder;
    fs::path log = fs::absolute(locations.log_file, unknown_folder);
    if (unknown_folder)
        log = locations.log_file;
    return "  font: \"" + locations.font_file + "\"\n" +     //
           "  game data: \"" + locations.data_dir + "\"\n" + //
           "  log: \"" + log.string() + "\"\n";
}
