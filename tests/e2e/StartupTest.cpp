// A start that fails, seen from outside the real program.
#include "GameProcess.h"

#include <gtest/gtest.h>

#include <string>

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

} // namespace
