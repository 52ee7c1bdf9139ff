// The real program started from folders that hold none of its files: it
// finds its font and data beside its executable (the build folder, or an
// installed tree), and writes its log where it can, saying where.
#include "GameProcess.h"
#include "ScreenReader.h"
#include "support/RunDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <regex>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

using e2e::Seconds;

const zp::Position MENU_WELCOME(0, 10);
const char* const WELCOME = "Welcome to Cinderwatch!!";

// A folder with nothing of the game in it.
e2e::RunOptions unrelatedFolder()
{
    e2e::RunOptions options;
    options.with_font = false;
    options.with_data = false;
    return options;
}

// Waits for the menu, quits with Q, and checks the exit status.
void playToTheMenuAndQuit(e2e::GameProcess& game)
{
    ASSERT_TRUE(game.waitForWindow()) << game.errorText();
    e2e::ScreenReader reader;
    ASSERT_TRUE(
        e2e::waitUntil([&] { return reader.shows(game.capture(), MENU_WELCOME, WELCOME); }, Seconds(60)))
        << "the menu, drawn in the font from the data set\n"
        << game.errorText();
    game.pressKey("q");
    EXPECT_EQ(game.waitForExit(Seconds(30)), 0);
}

// Every line of a clean run's log is a timing line, and there are some.
void expectCleanLog(const std::string& log)
{
    std::istringstream lines(log);
    int timing_lines = 0;
    for (std::string line; std::getline(lines, line);) {
        if (std::regex_match(line, std::regex("Message: (draw|loop) time: -?[0-9]+")))
            ++timing_lines;
        else
            ADD_FAILURE() << "unexpected log line: " << line;
    }
    EXPECT_GT(timing_lines, 100);
}

TEST(RunFromAnywhere, BuildProgramFindsItsFontAndDataFromAnUnrelatedFolder)
{
    e2e::GameProcess game(unrelatedFolder());
    playToTheMenuAndQuit(game);
    expectCleanLog(game.logText());
}

TEST(RunFromAnywhere, InstalledTreeStartsFromAnUnrelatedFolder)
{
    const std::string prefix = zp::test::runDir() + "/prefix";
    const std::string install = std::string("\"") + ZP_CMAKE_COMMAND + "\" --install \"" + ZP_BUILD_DIR +
                                "\" --component game --prefix \"" + prefix + "\" >/dev/null";
    ASSERT_EQ(std::system(install.c_str()), 0) << install;
    ASSERT_TRUE(fs::is_regular_file(prefix + "/share/cinderwatch/zp-font.ttf")) << "the font link resolves";

    e2e::RunOptions options = unrelatedFolder();
    options.program = prefix + "/bin/cinderwatch";
    e2e::GameProcess game(options);
    playToTheMenuAndQuit(game);
    expectCleanLog(game.logText());
}

TEST(RunFromAnywhere, DataOptionNamesTheDataSet)
{
    e2e::RunOptions options = unrelatedFolder();
    options.arguments = {"--data", "/nowhere/data"};
    e2e::GameProcess game(options);
    ASSERT_TRUE(game.waitForWindow()) << game.errorText();
    // The menu answers Q even without its picture; the log reaches the disk at the end.
    e2e::waitUntil(
        [&] {
            game.pressKey("q");
            return !game.isRunning();
        },
        Seconds(60), Seconds(0.5));
    EXPECT_EQ(game.waitForExit(Seconds(5)), 0);
    const std::string log = game.logText();
    EXPECT_NE(log.find("Could not find sprite file /nowhere/data/SplashScreen/SplashScreen.txt"),
              std::string::npos)
        << log.substr(0, 2000);
}

struct StateCase {
    const char* name;
    const char* xdg_state_home; // relative to the test's folder; nullptr: unset
    const char* home;           // likewise
    const char* log;            // where the log lands, likewise
};

void PrintTo(const StateCase& c, std::ostream* os)
{
    *os << c.name;
}

class LogInStateFolder : public testing::TestWithParam<StateCase> {};

TEST_P(LogInStateFolder, WhenTheWorkingFolderTakesNoFilesAndTheGameSaysWhere)
{
    const StateCase& c = GetParam();
    const std::string here = zp::test::runDir();
    e2e::RunOptions options = unrelatedFolder();
    options.vanished_run_dir = true;
    options.environment = {{"XDG_STATE_HOME", c.xdg_state_home ? here + c.xdg_state_home : ""},
                           {"HOME", c.home ? here + c.home : ""}};
    e2e::GameProcess game(options);
    playToTheMenuAndQuit(game);

    const std::string log = here + c.log;
    EXPECT_NE(game.errorText().find("the log goes to \"" + log + "\""), std::string::npos)
        << game.errorText();
    expectCleanLog(zp::test::readFile(log));
}

INSTANTIATE_TEST_SUITE_P(
    RunFromAnywhere, LogInStateFolder,
    testing::Values(StateCase{"XdgStateHome", "/state", "/home", "/state/cinderwatch/zephane.log"},
                    StateCase{"Home", nullptr, "/home", "/home/.local/state/cinderwatch/zephane.log"}),
    [](const testing::TestParamInfo<StateCase>& param) { return std::string(param.param.name); });

TEST(RunFromAnywhere, FailedStartWithoutRoomForTheLogSaysWhereItWent)
{
    const std::string state = zp::test::runDir() + "/state";
    e2e::RunOptions options = unrelatedFolder();
    options.lone_copy = true; // no font anywhere: the start fails
    options.vanished_run_dir = true;
    options.environment = {{"XDG_STATE_HOME", state}};
    e2e::GameProcess game(options);
    EXPECT_EQ(game.waitForExit(Seconds(60)), 1);

    const std::string log = state + "/cinderwatch/zephane.log";
    const std::string error = game.errorText();
    EXPECT_NE(error.find("Error starting game manager!"), std::string::npos) << error;
    EXPECT_NE(error.find("log: \"" + log + "\""), std::string::npos) << error;
    EXPECT_EQ(zp::test::readFile(log),
              "Message: Could not load the font zp-font.ttf\nMessage: Error starting game manager!\n");
}

} // namespace
