// A start that fails, seen from outside the real program.
#include "GameProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Startup, FailedStartSaysWhyLoadsNothingAndExitsNonZero)
{
    e2e::RunOptions options;
    options.with_font = false;
    // Nothing to load either: any attempt would leave a line in the log.
    options.missing_data = {"SplashScreen/SplashScreen.txt", "Menu/Menu.txt", "Music/Menu.wav"};
    e2e::GameProcess game(options);

    const int status = game.waitForExit(e2e::Seconds(60));
    EXPECT_GT(status, 0) << "-1 means the game did not end";

    const std::string err = game.errorText();
    EXPECT_NE(err.find("Error starting game manager!"), std::string::npos) << err;
    EXPECT_NE(err.find("\"zp-font.ttf\""), std::string::npos) << err;
    EXPECT_NE(err.find("\"../GameData/\""), std::string::npos) << err;
    // The log says which part failed before it says that the start failed.
    EXPECT_EQ(game.logText(),
              "Message: Could not load the font zp-font.ttf\nMessage: Error starting game manager!\n");
}

} // namespace
