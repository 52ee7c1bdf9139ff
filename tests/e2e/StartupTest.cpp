// Starts seen from outside the real program: one that fails, and many on
// fresh X servers.
#include "GameProcess.h"
#include "support/RunDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>

#include <sys/wait.h>

namespace {

TEST(Startup, FailedStartSaysWhyLoadsNothingAndExitsNonZero)
{
    e2e::RunOptions options;
    // Alone in a folder, the program falls back on the working folder's
    // files as the build folder has them, and the font is missing there.
    options.lone_copy = true;
    options.with_font = false;
    // Nothing to load either: any attempt would leave a line in the log.
    options.missing_data = {"SplashScreen/SplashScreen.txt", "Menu/Menu.txt", "Music/Menu.wav"};
    e2e::GameProcess game(options);

    const int status = game.waitForExit(e2e::Seconds(60));
    EXPECT_EQ(status, 1) << "-1 means the game did not end";

    const std::string err = game.errorText();
    EXPECT_NE(err.find("Error starting game manager!"), std::string::npos) << err;
    EXPECT_NE(err.find("font: \"zp-font.ttf\""), std::string::npos) << err;
    EXPECT_NE(err.find("game data: \"../GameData/\""), std::string::npos) << err;
    EXPECT_NE(err.find("log: \"" + game.runDir() + "/zephane.log\""), std::string::npos) << err;
    // The log says which part failed before it says that the start failed.
    EXPECT_EQ(game.logText(),
              "Message: Could not load the font zp-font.ttf\nMessage: Error starting game manager!\n");
}

TEST(Startup, WithoutADisplayTheGameSaysSoAndExitsOne)
{
    e2e::RunOptions options;
    options.environment = {{"DISPLAY", ""}};
    e2e::GameProcess game(options);

    EXPECT_EQ(game.waitForExit(e2e::Seconds(60)), 1);
    const std::string err = game.errorText();
    EXPECT_NE(err.find("Error starting game manager!"), std::string::npos) << err;
    EXPECT_NE(err.find("a display"), std::string::npos) << err;
    EXPECT_EQ(game.logText(), "Message: Could not open the display (DISPLAY not set)\n"
                              "Message: Error starting game manager!\n");
}

// A fresh X server resets when its last client leaves, and a client that
// connects during the reset fails; the windowing library then ends the
// program with SIGABRT. The engine's own look at the display held the only
// connection for a moment and let it go before the library connected: 2 of
// 6 plain `xvfb-run -a cinderwatch` starts were aborted. Each start here
// plays a short recording in the window and ends by itself.
TEST(Startup, TwentyStartsOnFreshXServersNeverAbort)
{
    if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "xvfb-run is missing (package xvfb; scripts/install-deps.sh installs it)";
    const std::string here = zp::test::runDir();
    zp::test::writeFile("short.rec", "zp-recording 1\nmeta level 0\nend 5\n");
    // The game's output, and xvfb-run's own, kept for a look when a start fails.
    const std::string command = "cd '" + here +
                                "' && ALSOFT_DRIVERS=null ASAN_OPTIONS=detect_leaks=0 xvfb-run -a '" +
                                ZP_BUILD_DIR + "/cinderwatch' --replay short.rec >>output.txt 2>&1";
    const int STARTS = 20;
    int aborted = 0;
    for (int start = 0; start < STARTS; ++start) {
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << "start " << start;
        // xvfb-run passes on the program's status; 128 + 6 is SIGABRT.
        aborted += WEXITSTATUS(status) == 128 + SIGABRT ? 1 : 0;
        EXPECT_EQ(WEXITSTATUS(status), 0) << "start " << start << "\n"
                                          << zp::test::readFile(here + "/output.txt");
    }
    EXPECT_EQ(aborted, 0) << "of " << STARTS << " starts";
}

} // namespace
