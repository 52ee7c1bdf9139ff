#include "app/Locations.h"

#include "content/DataPaths.h"
#include "support/RunDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

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
    std::string at(const std::string& relative) { return (root / relative).string(); }

    // A working folder that takes no files: entered, then removed.
    void enterVanishedFolder()
    {
        const std::string gone = folder("gone");
        ASSERT_EQ(chdir(gone.c_str()), 0);
        fs::remove(gone);
    }

    fs::path root;
};

TEST_F(LocationsTest, FontAndDataBesideTheExecutableThenTheWorkingFolder)
{
    // Build folder: the font beside the program, the data one level up.
    file("build/zp-font.ttf");
    folder("GameData");
    // Installed tree: both under share/cinderwatch.
    file("usr/share/cinderwatch/zp-font.ttf");
    folder("usr/share/cinderwatch/GameData");
    // Both layouts at once: the program's own folder wins.
    file("both/bin/zp-font.ttf");
    file("both/share/cinderwatch/zp-font.ttf");
    folder("both/GameData");
    folder("both/share/cinderwatch/GameData");
    // A font link whose target is gone does not count.
    folder("dangling/share/cinderwatch/GameData");
    fs::create_symlink(at("nowhere.ttf"), at("dangling/share/cinderwatch/zp-font.ttf"));
    // A data "folder" that is a file does not count.
    folder("odd/bin");
    file("odd/GameData");

    const struct {
        std::string executable;
        std::string font;
        std::string data;
    } cases[] = {
        {at("build/cinderwatch"), at("build/zp-font.ttf"), at("GameData") + "/"},
        {at("usr/bin/cinderwatch"), at("usr/share/cinderwatch/zp-font.ttf"),
         at("usr/share/cinderwatch/GameData") + "/"},
        {at("both/bin/cinderwatch"), at("both/bin/zp-font.ttf"), at("both/GameData") + "/"},
        {at("dangling/bin/cinderwatch"), "zp-font.ttf", at("dangling/share/cinderwatch/GameData") + "/"},
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

TEST_F(LocationsTest, DataOptionOverridesEverything)
{
    folder("GameData");
    EXPECT_EQ(findDataDir(at("build/cinderwatch"), "/my/data"), "/my/data");
    EXPECT_EQ(findDataDir("", "relative/data"), "relative/data");
}

TEST_F(LocationsTest, StateFolderFromXdgStateHomeOrHome)
{
    const struct {
        std::string xdg_state_home;
        std::string home;
        std::string log;
    } cases[] = {
        {"/state", "/home/player", "/state/cinderwatch/zephane.log"},
        {"", "/home/player", "/home/player/.local/state/cinderwatch/zephane.log"},
        // A relative XDG_STATE_HOME is invalid and ignored.
        {"state", "/home/player", "/home/player/.local/state/cinderwatch/zephane.log"},
        {"/state", "", "/state/cinderwatch/zephane.log"},
        {"", "", ""},
        {"state", "", ""},
    };
    for (const auto& c : cases) {
        Environment environment;
        environment.xdg_state_home = c.xdg_state_home;
        environment.home = c.home;
        EXPECT_EQ(stateLogFile(environment), c.log) << c.xdg_state_home << " | " << c.home;
    }
}

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
    file("usr/share/cinderwatch/zp-font.ttf");
    folder("usr/share/cinderwatch/GameData");
    Environment environment;
    environment.executable_path = at("usr/bin/cinderwatch");
    const Locations locations = findLocations(environment, "");
    EXPECT_EQ(locations.font_file, at("usr/share/cinderwatch/zp-font.ttf"));
    EXPECT_EQ(locations.data_dir, at("usr/share/cinderwatch/GameData") + "/");
    EXPECT_EQ(locations.log_file, "zephane.log");
    EXPECT_FALSE(locations.log_moved);

    const std::string text = describeLocations(locations);
    EXPECT_NE(text.find("font: \"" + locations.font_file + "\""), std::string::npos) << text;
    EXPECT_NE(text.find("game data: \"" + locations.data_dir + "\""), std::string::npos) << text;
    // The log by its full path, so it can be found from anywhere.
    EXPECT_NE(text.find("log: \"" + zp::test::runDir() + "/zephane.log\""), std::string::npos) << text;
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
