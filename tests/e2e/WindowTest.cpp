// The real game in windows of other sizes than its own: at each size the
// menu is read off captures and a Gatling bought and placed with the mouse;
// a click on the letterbox does nothing; F11 makes it fullscreen and back;
// the window's size and fullscreen are kept in the settings file for the next
// start; and a window resized while a wave runs loses or doubles no step.
#include "PlayFixture.h"
#include "PrivateXServer.h"
#include "support/RunDir.h"
#include "support/Shell.h"

#include "zp/InputRecording.h"

#include <SFML/Window/VideoMode.hpp>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

using namespace e2e;
using zp::Position;

const char* const MENU_LINES[] = {"Welcome to Cinderwatch!!",
                                  "Below are the different levels available.",
                                  "Select one using the keyboard.",
                                  "1. Easy",
                                  "2. Medium",
                                  "3. Hard"};

std::string readAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class WindowTest : public PlayFixture {
protected:
    // The game's settings file in the run of the game started last.
    std::string settingsPath() const { return game->rootDir() + "/config/cinderwatch/settings"; }

    // Options for a game whose settings file already holds `text`, in a
    // folder of this test's own that outlives each game.
    RunOptions withSettings(const std::string& text)
    {
        const fs::path config = fs::path(zp::test::runDir()) / "config";
        fs::create_directories(config / "cinderwatch");
        if (!text.empty())
            std::ofstream(config / "cinderwatch" / "settings", std::ios::binary) << text;
        RunOptions options;
        options.environment = {{"XDG_CONFIG_HOME", config.string()}};
        return options;
    }
    std::string keptSettings() const
    {
        return readAll((fs::path(zp::test::runDir()) / "config" / "cinderwatch" / "settings").string());
    }

    void expectTheMenu()
    {
        ASSERT_TRUE(waitForText(MENU_WELCOME, WELCOME)) << game->errorText();
        for (int i = 0; i < 6; ++i) {
            const int row = i < 3 ? 10 + i : 12 + i;
            EXPECT_TRUE(shows(Position(0, row), MENU_LINES[i])) << MENU_LINES[i];
        }
        EXPECT_FALSE(shows(Position(0, 15), "1. Eas7"));
    }

    // The build cursor, free to place its Gatling, stands at the cell (the
    // pointer's red cross covers its top-left corner).
    bool showsTheCursorAt(Position place) const
    {
        return shows(Position(place.getX() + 1, place.getY() + 1), "@") &&
               shows(Position(place.getX(), place.getY() + 2), "+ +");
    }

    // A Gatling stands at the cell: its gun (whichever way its barrel
    // turns), and nothing of the build cursor below it.
    bool showsTheGatlingAt(Position place) const
    {
        return shows(Position(place.getX() + 1, place.getY() + 1), "@") &&
               shows(Position(place.getX(), place.getY() + 2), "   ");
    }

    // Buys a Gatling at its panel and places it; a click on the letterbox
    // on the way places nothing.
    void buyAndPlaceAGatling(const Position place)
    {
        game->click(GATLING_PANEL);
        game->moveTo(place);
        ASSERT_TRUE(waitForScreen([&](const sf::Image&) { return showsTheCursorAt(place); },
                                  "the build cursor at the chosen cell"));
        const Position bar = game->grid().onTheLetterbox();
        if (bar.getX() >= 0) {
            game->clickPixel(bar);
            game->clickPixel(bar, 3);
            std::this_thread::sleep_for(std::chrono::milliseconds(700));
            capture();
            EXPECT_TRUE(showsCounter("Currency:", CURRENCY_X, 100))
                << "a click on the letterbox buys nothing";
            EXPECT_TRUE(showsTheCursorAt(place)) << "and places nothing";
        }
        game->click(place);
        ASSERT_TRUE(waitForCounter("Currency:", CURRENCY_X, 0)) << "the Gatling was paid for";
        EXPECT_TRUE(waitForScreen([&](const sf::Image&) { return showsTheGatlingAt(place); },
                                  "the Gatling at its cell"));
    }

    Position gatlingPlace() const
    {
        return bestTurretCell(readLevel(1), spriteBox(GATLING_KIND.build_sprite));
    }
};

class WindowSizeTest : public WindowTest,
                       public testing::WithParamInterface<std::pair<unsigned, unsigned>> {};

// The window opens at the size the settings keep (as after a resize in an
// earlier run); the grid fills it, centred, and plays as at the base size.
TEST_P(WindowSizeTest, TheMenuReadsAndAGatlingIsBoughtAndPlacedWithTheMouse)
{
    const auto [width, height] = GetParam();
    start(withSettings("window_width = " + std::to_string(width) +
                       "\nwindow_height = " + std::to_string(height) + "\n"));
    ASSERT_EQ(game->measureWindow(), sf::Vector2u(width, height));
    const Grid grid = gridFor(int(width), int(height));
    ASSERT_NO_FATAL_FAILURE(expectTheMenu());
    // The letterbox is black.
    if (grid.left > 0) {
        for (int y = 0; y < int(height); y += 7)
            ASSERT_EQ(screen.getPixel(unsigned(grid.left / 2), unsigned(y)), sf::Color::Black) << y;
    }

    game->pressKey("1");
    ASSERT_TRUE(waitForCounter("Currency:", CURRENCY_X, 100));
    ASSERT_NO_FATAL_FAILURE(buyAndPlaceAGatling(gatlingPlace()));
    if (width == 1920)
        saveScreenshot("play-1920x1080");
    game->pressKey("f");
    ASSERT_TRUE(waitForText(GAME_OVER_TEXT, GAME_OVER));
    reachMenu();
    game->pressKey("q");
    ASSERT_EQ(game->waitForExit(SCREEN_DEADLINE), 0) << game->errorText();
}

INSTANTIATE_TEST_SUITE_P(SmallerWideAndWider, WindowSizeTest,
                         testing::Values(std::make_pair(640u, 480u), std::make_pair(1920u, 1080u),
                                         std::make_pair(2560u, 1080u)),
                         [](const testing::TestParamInfo<std::pair<unsigned, unsigned>>& size) {
                             return std::to_string(size.param.first) + "x" +
                                    std::to_string(size.param.second);
                         });

// On a 1920 x 1080 screen: F11 covers the screen with the grid centred,
// clicks still reach their cells, and F11 again brings the window back at its size.
TEST_F(WindowTest, F11MakesTheWindowFullscreenAndBack)
{
    PrivateXServer server("1920x1080x24");
    ASSERT_FALSE(server.display.empty()) << "no private X server";
    RunOptions options;
    options.display = server.display;
    start(options);
    ASSERT_EQ(game->measureWindow(), sf::Vector2u(1024, 768));
    reachMenu();

    game->pressKey("F11");
    ASSERT_TRUE(game->findWindowAgain()) << "fullscreen makes the window anew";
    EXPECT_EQ(game->measureWindow(), sf::Vector2u(1920, 1080));
    const std::string geometry =
        zp::test::commandOutput(game->onDisplay("xdotool getwindowgeometry " + game->windowId()));
    EXPECT_NE(geometry.find("Position: 0,0"), std::string::npos) << geometry;
    EXPECT_EQ(game->grid().left, 240) << "the grid centred";
    ASSERT_NO_FATAL_FAILURE(expectTheMenu());
    for (int y = 0; y < 1080; y += 9)
        ASSERT_EQ(screen.getPixel(100, unsigned(y)), sf::Color::Black) << "the left bar, at " << y;

    game->pressKey("1");
    ASSERT_TRUE(waitForCounter("Currency:", CURRENCY_X, 100));
    ASSERT_NO_FATAL_FAILURE(buyAndPlaceAGatling(gatlingPlace()));

    game->pressKey("F11");
    ASSERT_TRUE(game->findWindowAgain());
    EXPECT_EQ(game->measureWindow(), sf::Vector2u(1024, 768)) << "back at its size";
    ASSERT_TRUE(waitForCounter("Currency:", CURRENCY_X, 0)) << "the same game goes on";
    EXPECT_TRUE(
        waitForScreen([&](const sf::Image&) { return showsTheGatlingAt(gatlingPlace()); }, "the Gatling"));

    // Alt+Enter does the same.
    game->pressKey("alt+Return");
    ASSERT_TRUE(game->findWindowAgain());
    EXPECT_EQ(game->measureWindow(), sf::Vector2u(1920, 1080));
    game->pressKey("alt+Return");
    ASSERT_TRUE(game->findWindowAgain());
    EXPECT_EQ(game->measureWindow(), sf::Vector2u(1024, 768));
    game->pressKey("f");
    ASSERT_TRUE(waitForText(GAME_OVER_TEXT, GAME_OVER));
    reachMenu();
    game->pressKey("q");
    EXPECT_EQ(game->waitForExit(SCREEN_DEADLINE), 0) << game->errorText();
}

// What the player does to the window is kept for the next start: its size,
// then fullscreen. What the person wrote in the file stays; a line the game
// cannot read is named, and the file is not written while nothing changes.
TEST_F(WindowTest, TheWindowsSizeAndFullscreenAreKeptForTheNextStart)
{
    const std::string written = "# mine\nmusic_volume = 70\nwindow_height = tall\n";
    start(withSettings(written));
    reachMenu();
    const std::string named = "line 3: window_height takes a whole number from 1 to 16384, not 'tall'";
    EXPECT_NE(game->errorText().find(named), std::string::npos) << game->errorText();
    EXPECT_NE(game->logText().find(named), std::string::npos) << game->logText();
    game->pressKey("q");
    ASSERT_EQ(game->waitForExit(SCREEN_DEADLINE), 0);
    EXPECT_EQ(keptSettings(), written) << "nothing changed: the file is as the person left it";

    start(withSettings(""));
    ASSERT_TRUE(game->resizeWindow(1280, 720));
    reachMenu();
    game->pressKey("q");
    ASSERT_EQ(game->waitForExit(SCREEN_DEADLINE), 0);
    // The keys the file lacked (the volumes', mute) are written after the person's lines.
    EXPECT_EQ(keptSettings(),
              "# mine\nmusic_volume = 70\nwindow_height = 720\nwindow_width = 1280\nfullscreen = "
              "false\nsound_volume = 100\nmute = false\n");

    start(withSettings(""));
    EXPECT_EQ(game->measureWindow(), sf::Vector2u(1280, 720)) << "opens at the size it had";
    reachMenu();
    game->pressKey("F11");
    ASSERT_TRUE(game->findWindowAgain());
    reachMenu();
    game->pressKey("q");
    ASSERT_EQ(game->waitForExit(SCREEN_DEADLINE), 0);
    EXPECT_NE(keptSettings().find("fullscreen = true\n"), std::string::npos) << keptSettings();
    EXPECT_NE(keptSettings().find("window_width = 1280\n"), std::string::npos) << "the size to come back to";

    start(withSettings(""));
    const sf::VideoMode screen_mode = sf::VideoMode::getDesktopMode();
    EXPECT_EQ(game->measureWindow(), sf::Vector2u(screen_mode.width, screen_mode.height))
        << "opens fullscreen";
    reachMenu();
    game->pressKey("F11");
    ASSERT_TRUE(game->findWindowAgain());
    EXPECT_EQ(game->measureWindow(), sf::Vector2u(1280, 720));
    game->pressKey("q");
    ASSERT_EQ(game->waitForExit(SCREEN_DEADLINE), 0);
}

// The window dragged to four sizes while the first wave runs: every frame
// still runs exactly one step (one "loop time" line each), and the
// recording of the game replays headless to the same end.
TEST_F(WindowTest, ResizingWhileAWaveRunsLosesNoStepAndReplaysToTheSameEnd)
{
    const std::string recording_file = zp::test::runDir() + "/resized.rec";
    RunOptions options;
    options.arguments = {"--record", recording_file};
    start(options);
    playLevel(1);
    ASSERT_TRUE(game->resizeWindow(1920, 1080));
    ASSERT_NO_FATAL_FAILURE(buyAndPlaceAGatling(gatlingPlace()));
    game->pressKey("n");
    ASSERT_TRUE(waitForCounter("Wave:", WAVE_X, 1));
    for (const auto& size : {std::make_pair(800u, 600u), std::make_pair(2000u, 900u),
                             std::make_pair(1024u, 768u), std::make_pair(1500u, 1200u)}) {
        ASSERT_TRUE(game->resizeWindow(size.first, size.second));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    ASSERT_TRUE(waitForCounter("Currency:", CURRENCY_X, 10, PLAY_DEADLINE)) << "the Gatling still shoots";
    game->pressKey("f");
    ASSERT_TRUE(waitForText(GAME_OVER_TEXT, GAME_OVER));
    reachMenu();
    game->pressKey("q");
    ASSERT_EQ(game->waitForExit(SCREEN_DEADLINE), 0) << game->errorText();

    zp::InputRecording recording;
    std::string error;
    ASSERT_EQ(recording.readFile(recording_file, error), 0) << error;
    std::istringstream log(game->logText());
    int frames = 0;
    for (std::string line; std::getline(log, line);)
        frames += std::regex_match(line, std::regex("Message: loop time: -?[0-9]+")) ? 1 : 0;
    EXPECT_EQ(frames, recording.getEndStep()) << "one step a frame, none lost or doubled";

    const std::string headless = zp::test::commandOutput(
        std::string("cd '") + zp::test::runDir() + "' && '" + ZP_BUILD_DIR + "/cinderwatch' --replay '" +
        recording_file + "' --headless 2>&1; echo status $?");
    EXPECT_NE(headless.find("final step " + std::to_string(recording.getEndStep()) + " level 1 "),
              std::string::npos)
        << headless;
    EXPECT_NE(headless.find("status 0"), std::string::npos)
        << "every check of the recording met: " << headless;
}

} // namespace
