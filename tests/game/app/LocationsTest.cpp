#include "app/Locations.h"

#include "content/DataPaths.h"
#include "support/RunDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// Folders laid out as the game can find itself: a build folder, an installed
// tree, both, neither. The executables themselves need not exist.
class LocationsTest : public testing::Test {
protected:
    void SetUp() override { root = fs::path(zp::test::runDir()) / "places"; }

    std::string file(const std::string& relative)
    {
        return zp::test::writeFile((root / relative).string(), "x");
    }
    std::string folder(const std::string& relative)
    {
        fs::create_directories(root / relative);
        return (root / relative).string();
    }
    // The path as the system writes it (on Windows with backslashes).
    std::string at(const std::string& relative)
    {
        return (root / fs::path(relative).make_preferred()).string();
    }

    // A working folder that takes no log file: entered, then removed. Windows
    // removes no folder that a program works in; there the log's name is
    // taken by a folder instead.
    void enterVanishedFolder()
    {
        const std::string gone = folder("gone");
        fs::current_path(gone);
#ifdef _WIN32
        fs::create_directory(fs::path(gone) / "zephane.log");
#else
        fs::remove(gone);
#endif
    }

    fs::path root;
};

// Where an installed game lives: on Windows one folder holds the program, its
// font and its data side by side; elsewhere the files are under share/.
#ifdef _WIN32
const std::string INSTALLED_BIN = "Cinderwatch";
const std::string INSTALLED_SHARE = "Cinderwatch";
#else
const std::string INSTALLED_BIN = "usr/bin";
const std::string INSTALLED_SHARE = "usr/share/cinderwatch";
#endif

TEST_F(LocationsTest, FontAndDataBesideTheExecutableThenTheWorkingFolder)
{
    // Build folder: the font beside the program, the data one level up.
    file("build/zp-font.ttf");
    folder("GameData");
    // Installed tree.
    file(INSTALLED_SHARE + "/zp-font.ttf");
    folder(INSTALLED_SHARE + "/GameData");
    // Both layouts at once: the program's own folder wins.
    file("both/bin/zp-font.ttf");
    file("both/share/cinderwatch/zp-font.ttf");
    folder("both/GameData");
    folder("both/share/cinderwatch/GameData");
#ifndef _WIN32
    // A font link whose target is gone does not count.
    folder("dangling/share/cinderwatch/GameData");
    fs::create_symlink(at("nowhere.ttf"), at("dangling/share/cinderwatch/zp-font.ttf"));
#endif
    // A data "folder" that is a file does not count.
    folder("odd/bin");
    file("odd/GameData");

    const struct {
        std::string executable;
        std::string font;
        std::string data;
    } cases[] = {
        {at("build/cinderwatch"), at("build/zp-font.ttf"), at("GameData") + "/"},
        {at(INSTALLED_BIN + "/cinderwatch"), at(INSTALLED_SHARE + "/zp-font.ttf"),
         at(INSTALLED_SHARE + "/GameData") + "/"},
        {at("both/bin/cinderwatch"), at("both/bin/zp-font.ttf"), at("both/GameData") + "/"},
#ifndef _WIN32
        {at("dangling/bin/cinderwatch"), "zp-font.ttf", at("dangling/share/cinderwatch/GameData") + "/"},
#endif
        {at("odd/bin/cinderwatch"), "zp-font.ttf", "../GameData/"},
        {at("lonely/bin/cinderwatch"), "zp-font.ttf", "../GameData/"},
        // The system could not tell where the program is.
        {"", "zp-font.ttf", "../GameData/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(findFontFile(c.executable), c.font) << c.executable;
        EXPECT_EQ(findDataDir(c.executable, ""), c.data) << c.executable;
    }
}

#ifndef _WIN32 // folder links, which Wine cannot make
// A build folder anywhere (beside the sources, outside them) reads the
// source tree's data set; a copy of its program elsewhere, or an installed
// one, does not.
TEST_F(LocationsTest, ABuildFolderAnywhereReadsTheSourceTreesData)
{
    folder("outside/build");
    folder("src/GameData");
    folder("usr/share/cinderwatch/GameData");
    fs::create_directory_symlink(at("outside/build"), at("linked-build"));
    BuildTree tree;
    tree.output_dir = at("outside/build");
    tree.data_dir = at("src/GameData");
    BuildTree without_data = tree;
    without_data.data_dir = at("src/NoData");

    const struct {
        std::string executable;
        BuildTree build_tree;
        std::string data;
    } cases[] = {
        {at("outside/build/cinderwatch"), tree, at("src/GameData") + "/"},
        {at("linked-build/cinderwatch"), tree, at("src/GameData") + "/"},
        {at("outside/build/../build/cinderwatch"), tree, at("src/GameData") + "/"},
        // Not in the build folder: the usual places.
        {at("copy/bin/cinderwatch"), tree, "../GameData/"},
        {at("usr/bin/cinderwatch"), tree, at("usr/share/cinderwatch/GameData") + "/"},
        // The build's data set is gone, or the build is not known.
        {at("outside/build/cinderwatch"), without_data, "../GameData/"},
        {at("outside/build/cinderwatch"), BuildTree(), "../GameData/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.executable + " | " + c.build_tree.output_dir + " | " + c.build_tree.data_dir);
        EXPECT_EQ(findDataDir(c.executable, "", c.build_tree), c.data);
        EXPECT_EQ(findDataDir(c.executable, "/my/data", c.build_tree), "/my/data") << "the option still wins";
    }
    // This program itself is in its build folder.
    EXPECT_EQ(fs::path(thisBuildTree().data_dir).filename(), "GameData");
}
#endif

TEST_F(LocationsTest, DataOptionOverridesEverything)
{
    folder("GameData");
    EXPECT_EQ(findDataDir(at("build/cinderwatch"), "/my/data"), "/my/data");
    EXPECT_EQ(findDataDir("", "relative/data"), "relative/data");
}

TEST_F(LocationsTest, StateFolderFromXdgStateHomeOrHome)
{
    // Absolute on every system (on Windows "/state" has no drive).
    const std::string state = at("state");
    const std::string home = at("home/player");
    const struct {
        std::string xdg_state_home;
        std::string home;
        std::string log;
    } cases[] = {
        {state, home, state + "/cinderwatch/zephane.log"},
        {"", home, home + "/.local/state/cinderwatch/zephane.log"},
        // A relative XDG_STATE_HOME is invalid and ignored.
        {"state", home, home + "/.local/state/cinderwatch/zephane.log"},
        {state, "", state + "/cinderwatch/zephane.log"},
        {"", "", ""},
        {"state", "", ""},
    };
    for (const auto& c : cases) {
        Environment environment;
        environment.xdg_state_home = c.xdg_state_home;
        environment.home = c.home;
        // Compared as paths: Windows writes the separators it adds as "\\".
        EXPECT_EQ(fs::path(stateLogFile(environment)), fs::path(c.log))
            << c.xdg_state_home << " | " << c.home;
    }
}

// Windows: the user's local application data, whatever the XDG variables say.
TEST_F(LocationsTest, StateFolderFromLocalAppDataOnWindows)
{
    const std::string local = at("AppData/Local");
    const struct {
        std::string local_app_data;
        std::string xdg_state_home;
        std::string log;
    } cases[] = {
        {local, "", (fs::path(local) / "cinderwatch" / "zephane.log").string()},
        {local, "/state", (fs::path(local) / "cinderwatch" / "zephane.log").string()},
        // A relative one is no place to write.
        {"AppData", "/state", ""},
    };
    for (const auto& c : cases) {
        Environment environment;
        environment.local_app_data = c.local_app_data;
        environment.xdg_state_home = c.xdg_state_home;
        environment.xdg_config_home = c.xdg_state_home;
        environment.xdg_data_home = c.xdg_state_home;
        environment.home = "/home/player";
        EXPECT_EQ(stateLogFile(environment), c.log) << c.local_app_data;
        // The player's settings, best results and saves beside the log.
        const std::string folder = c.log.empty() ? "" : fs::path(c.log).parent_path().string();
        EXPECT_EQ(settingsFile(environment), folder.empty() ? "" : (fs::path(folder) / "settings").string());
        EXPECT_EQ(playerDataFolder(environment), folder);
    }
#ifdef _WIN32
    // The program reads it from its environment.
    EXPECT_FALSE(processEnvironment().local_app_data.empty());
#else
    EXPECT_TRUE(processEnvironment().local_app_data.empty());
#endif
}

#ifndef _WIN32 // POSIX paths; Windows keeps the settings in its local application data
TEST_F(LocationsTest, SettingsInXdgConfigHomeOrHome)
{
    const struct {
        std::string xdg_config_home;
        std::string home;
        std::string settings;
    } cases[] = {
        {"/config", "/home/player", "/config/cinderwatch/settings"},
        {"", "/home/player", "/home/player/.config/cinderwatch/settings"},
        // A relative XDG_CONFIG_HOME is invalid and ignored.
        {"config", "/home/player", "/home/player/.config/cinderwatch/settings"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        Environment environment;
        environment.xdg_config_home = c.xdg_config_home;
        environment.home = c.home;
        EXPECT_EQ(settingsFile(environment), c.settings) << c.xdg_config_home << " | " << c.home;
    }
}
#endif

TEST_F(LocationsTest, LogStaysInAWritableWorkingFolder)
{
    Environment environment;
    environment.xdg_state_home = at("state");
    bool moved = true;
    EXPECT_EQ(chooseLogFile(environment, moved), "zephane.log");
    EXPECT_FALSE(moved);
    EXPECT_FALSE(fs::exists(at("state")));
}

TEST_F(LocationsTest, LogMovesToTheStateFolderWhenTheWorkingFolderTakesNoFiles)
{
    Environment environment;
    environment.xdg_state_home = at("state");
    enterVanishedFolder();
    bool moved = false;
    const std::string log = chooseLogFile(environment, moved);
    EXPECT_EQ(log, at("state/cinderwatch/zephane.log"));
    EXPECT_TRUE(moved);
    EXPECT_TRUE(fs::is_regular_file(log)) << "the folder was made and takes the file";

    environment.xdg_state_home = "";
    environment.home = at("home");
    EXPECT_EQ(chooseLogFile(environment, moved), at("home/.local/state/cinderwatch/zephane.log"));
    EXPECT_TRUE(moved);
}

TEST_F(LocationsTest, LogKeepsItsNameWhenNoFolderTakesIt)
{
    file("blocker");
    enterVanishedFolder();
    const struct {
        std::string xdg_state_home;
        std::string home;
    } cases[] = {
        {"", ""},
        // The state folder cannot be made under a file.
        {at("blocker"), ""},
    };
    for (const auto& c : cases) {
        Environment environment;
        environment.xdg_state_home = c.xdg_state_home;
        environment.home = c.home;
        bool moved = true;
        EXPECT_EQ(chooseLogFile(environment, moved), "zephane.log") << c.xdg_state_home;
        EXPECT_FALSE(moved);
    }
}

TEST_F(LocationsTest, FindLocationsGathersAllThreeAndDescribesThem)
{
    file(INSTALLED_SHARE + "/zp-font.ttf");
    folder(INSTALLED_SHARE + "/GameData");
    Environment environment;
    environment.executable_path = at(INSTALLED_BIN + "/cinderwatch");
    const Locations locations = findLocations(environment, "");
    EXPECT_EQ(locations.font_file, at(INSTALLED_SHARE + "/zp-font.ttf"));
    EXPECT_EQ(locations.data_dir, at(INSTALLED_SHARE + "/GameData") + "/");
    EXPECT_EQ(locations.log_file, "zephane.log");
    EXPECT_FALSE(locations.log_moved);

    const std::string text = describeLocations(locations);
    EXPECT_NE(text.find("font: \"" + locations.font_file + "\""), std::string::npos) << text;
    EXPECT_NE(text.find("game data: \"" + locations.data_dir + "\""), std::string::npos) << text;
    // The log by its full path, so it can be found from anywhere.
    const std::string log = (fs::path(zp::test::runDir()) / "zephane.log").string();
    EXPECT_NE(text.find("log: \"" + log + "\""), std::string::npos) << text;
}

TEST(GameDataDir, SetFolderNamesEveryDataPath)
{
    EXPECT_EQ(gameDataPath("Menu/Menu.txt"), "../GameData/Menu/Menu.txt");
    setGameDataDir("/usr/share/cinderwatch/GameData");
    EXPECT_EQ(gameDataDir(), "/usr/share/cinderwatch/GameData/");
    EXPECT_EQ(gameDataPath("Menu/Menu.txt"), "/usr/share/cinderwatch/GameData/Menu/Menu.txt");
    setGameDataDir("data/");
    EXPECT_EQ(gameDataPath("Menu/Menu.txt"), "data/Menu/Menu.txt");
    setGameDataDir("");
    EXPECT_EQ(gameDataPath("Menu/Menu.txt"), "../GameData/Menu/Menu.txt");
}

} // namespace
