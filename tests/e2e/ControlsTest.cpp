// The player's controls in the real game: keys and right clicks sent through
// the X server, what they do read off captures of the window and the log.
#include "content/Controls.h"

#include "PlayFixture.h"
#include "support/WindowCapture.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace {

using namespace e2e;
using zp::Position;

const Position PAUSED_AT(14, 1);
const Position SPEED_AT(24, 1);
const Position PREVIEW_AT(0, 23);
const Position STEPS_PER_SECOND_AT(0, 21);
const Position STEP_TIME_AT(0, 22);
const char* const FIRST_WAVE_PREVIEW = "Next wave 1: 1 easy 50hp";
const char* const HELP_TITLE = "Cinderwatch: keys and mouse";
const Position HELP_TITLE_AT(27, 4);
const int GATLING_RANGE = 20;

class ControlsTest : public PlayFixture {
protected:
    bool waitUntilGone(Position at, const std::string& text)
    {
        return waitForScreen([&](const sf::Image& image) { return !reader.shows(image, at, text); },
                             "no more " + text);
    }

    // The overlay's steps per second, once it shows a figure of at least `least`.
    int waitForStepsPerSecond(int least)
    {
        int figure = -1;
        waitForScreen(
            [&](const sf::Image& image) {
                figure = reader.readNumber(image, STEPS_PER_SECOND_AT);
                return figure >= least;
            },
            "at least " + std::to_string(least) + " steps/s");
        return figure;
    }

    // True when the playing field (below the counters' rows) looks different.
    static bool boardDiffers(const sf::Image& a, const sf::Image& b)
    {
        const unsigned field_top = 3 * 32;
        for (unsigned y = field_top; y < a.getSize().y && y < b.getSize().y; ++y)
            for (unsigned x = 0; x < a.getSize().x && x < b.getSize().x; ++x)
                if (a.getPixel(x, y) != b.getPixel(x, y))
                    return true;
        return false;
    }

    // Level 1 with its first wave called at once, until its enemy walks the track.
    void startAWave()
    {
        const LevelData data = readLevel(1);
        playLevel(1);
        game->pressKey("n");
        ASSERT_TRUE(waitForCounter("Wave:", WAVE_X, 1));
        // The enemies walk the first stretch of track on the enemy start's row.
        const int row = data.enemy_start.getY();
        ASSERT_TRUE(waitForScreen(
            [&](const sf::Image& image) {
                for (int x = data.enemy_start.getX(); x < data.enemy_start.getX() + 40; ++x)
                    if (reader.inkAt(image, Position(x, row)) > 0)
                        return true;
                return false;
            },
            "an enemy on the track"));
    }

    // Buys a Gatling at its panel and clicks it down at `cell`.
    void placeGatling(Position cell)
    {
        game->click(GATLING_PANEL);
        game->moveTo(cell);
        game->click(cell);
    }
};

// Paused, nothing on the board moves: the whole window stays the same while
// an enemy walks the track, and it walks on after the pause.
TEST_F(ControlsTest, PauseFreezesTheBoardUntilPressedAgain)
{
    start();
    ASSERT_NO_FATAL_FAILURE(startAWave());
    game->pressKey("p");
    ASSERT_TRUE(waitForText(PAUSED_AT, "PAUSED"));
    const sf::Image paused = screen;
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    screen = game->capture();
    EXPECT_EQ(zp::test::differingPixels(paused, screen), 0) << "the board froze";

    game->pressKey("space");
    ASSERT_TRUE(waitUntilGone(PAUSED_AT, "PAUSED"));
    EXPECT_TRUE(waitForScreen([&](const sf::Image& image) { return boardDiffers(paused, image); },
                              "the enemy walking on"));
    game->pressKey("space");
    EXPECT_TRUE(waitForText(PAUSED_AT, "PAUSED")) << "space pauses too";
}

// Faster speeds run more steps per frame, which the frame overlay counts.
TEST_F(ControlsTest, SpeedShowsOnTheBoardAndRunsMoreStepsEachSecond)
{
    start();
    playLevel(1);
    game->pressKey("F3");
    const int normal = waitForStepsPerSecond(10);
    ASSERT_GE(normal, 10);
    EXPECT_TRUE(shows(STEP_TIME_AT, "step ")) << "the last step's time, under the steps per second";

    game->pressKey("Tab");
    ASSERT_TRUE(waitForText(SPEED_AT, "Speed 2x"));
    game->pressKey("Tab");
    ASSERT_TRUE(waitForText(SPEED_AT, "Speed 4x"));
    const int fast = waitForStepsPerSecond(2 * normal);
    EXPECT_GE(fast, 2 * normal) << "at 1x " << normal << " steps/s";

    game->pressKey("Tab");
    EXPECT_TRUE(waitUntilGone(SPEED_AT, "Speed 4x"));
    EXPECT_FALSE(reader.shows(screen, SPEED_AT, "Speed 1x")) << "the normal speed goes without notice";
    game->pressKey("F3");
    EXPECT_TRUE(waitUntilGone(STEP_TIME_AT, "step "));
}

// Paused, so the countdown cannot have run out: N starts the wave at once.
TEST_F(ControlsTest, TheCountdownPreviewsTheWaveAndNStartsItAtOnce)
{
    start();
    playLevel(2);
    ASSERT_TRUE(waitForText(PREVIEW_AT, FIRST_WAVE_PREVIEW));
    game->pressKey("p");
    ASSERT_TRUE(waitForText(PAUSED_AT, "PAUSED"));
    ASSERT_TRUE(showsCounter("Wave:", WAVE_X, 0));
    // A picture of the controls for the README: paused, faster, with the
    // frame overlay and the preview.
    game->pressKey("Tab");
    game->pressKey("F3");
    ASSERT_TRUE(waitForText(SPEED_AT, "Speed 2x"));
    ASSERT_TRUE(waitForText(STEP_TIME_AT, "step "));
    EXPECT_TRUE(shows(PREVIEW_AT, FIRST_WAVE_PREVIEW));
    saveScreenshot("controls");
    game->pressKey("n");
    ASSERT_TRUE(waitForCounter("Wave:", WAVE_X, 1));
    EXPECT_TRUE(shows(PAUSED_AT, "PAUSED"));
    EXPECT_FALSE(shows(PREVIEW_AT, FIRST_WAVE_PREVIEW)) << "no preview while the wave runs";
}

TEST_F(ControlsTest, HelpListsTheKeysOverTheBoardAndPlayWaits)
{
    start();
    ASSERT_NO_FATAL_FAILURE(startAWave());
    game->pressKey("h");
    ASSERT_TRUE(waitForText(HELP_TITLE_AT, HELP_TITLE));
    // Two columns: keys from column 3 and 41, what they do twelve columns
    // on; every row of the table where the layout puts it.
    const auto lines = helpOverlayLines();
    const int rows = int(lines.size() + 1) / 2;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& [keys, action] = lines[i];
        const Position at(int(i) < rows ? 3 : 41, 6 + int(i) % rows);
        EXPECT_TRUE(shows(at, keys)) << keys;
        EXPECT_TRUE(shows(Position(at.getX() + 12, at.getY()), action)) << action;
    }
    saveScreenshot("help");
    const sf::Image help = screen;
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    screen = game->capture();
    EXPECT_EQ(zp::test::differingPixels(help, screen), 0) << "play waits while the help shows";

    game->pressKey("question");
    ASSERT_TRUE(waitUntilGone(HELP_TITLE_AT, HELP_TITLE));
    EXPECT_TRUE(showsCounter("Lives:", LIVES_X, 10));
    const sf::Image back = screen;
    EXPECT_TRUE(waitForScreen([&](const sf::Image& image) { return boardDiffers(back, image); },
                              "the enemy walking on"));
}

TEST_F(ControlsTest, F12SavesTheWindowBesideTheLogAndSaysSo)
{
    start();
    playLevel(1);
    game->pressKey("F12");
    std::smatch saved;
    const std::regex line(
        "Message: Screenshot saved to (cinderwatch-[0-9]{4}-[0-9]{2}-[0-9]{2}_[0-9]{2}-[0-9]{2}-[0-9]{2}"
        "\\.png)\n");
    std::string log;
    ASSERT_TRUE(waitUntil(
        [&] {
            log = game->logText();
            return std::regex_search(log, saved, line);
        },
        SCREEN_DEADLINE))
        << "the log says where the screenshot went";
    const std::string path = game->runDir() + "/" + saved[1].str();
    sf::Image shot;
    ASSERT_TRUE(shot.loadFromFile(path)) << path;
    EXPECT_EQ(shot.getSize(), sf::Vector2u(1024, 768));
    EXPECT_TRUE(reader.shows(shot, counterStart(LIVES_X, counter("Lives:", 10)), counter("Lives:", 10)));
    EXPECT_TRUE(
        reader.shows(shot, counterStart(CURRENCY_X, counter("Currency:", 100)), counter("Currency:", 100)));
}

// A free place whose Gatling reaches no cell of the path, so it never earns anything.
Position quietTurretCell(const LevelData& data, const zp::Box& turret)
{
    std::vector<zp::Box> obstacles = data.blocks;
    for (int top : {0, 6, 12})
        obstacles.emplace_back(Position(64, top), 16, 6);
    for (int y = 3; y + turret.getVertical() < 24; ++y)
        for (int x = 0; x + turret.getHorizontal() < 64; ++x) {
            const zp::Box here(Position(x, y), turret.getHorizontal(), turret.getVertical());
            bool usable = true;
            for (const zp::Box& obstacle : obstacles)
                usable = usable && !zp::boxIntersectsBox(here, obstacle);
            for (const Position& cell : data.path)
                usable = usable && zp::scaledDistance(Position(x, y), cell) > GATLING_RANGE;
            if (usable)
                return Position(x, y);
        }
    return Position(-1, -1);
}

TEST_F(ControlsTest, ARightClickOnATurretSellsItForHalfItsPrice)
{
    const LevelData data = readLevel(3);
    const zp::Box turret = spriteBox(GATLING_KIND.build_sprite);
    const Position place = quietTurretCell(data, turret);
    ASSERT_GE(place.getX(), 0) << "no quiet place on the board";
    const Position beside_reticle(place.getX() + 1, place.getY() + 1);

    start();
    playLevel(3);
    placeGatling(place);
    ASSERT_TRUE(waitForCounter("Currency:", CURRENCY_X, 0));
    ASSERT_TRUE(waitForScreen([&](const sf::Image& image) { return reader.inkAt(image, beside_reticle) > 0; },
                              "the turret"));

    game->click(Position(place.getX() + 2, place.getY()), 3);
    ASSERT_TRUE(waitForCounter("Currency:", CURRENCY_X, 50));
    EXPECT_TRUE(waitForScreen(
        [&](const sf::Image& image) { return reader.inkAt(image, beside_reticle) == 0; }, "the turret gone"));

    // A right click where no turret stands does nothing.
    game->click(place, 3);
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    screen = game->capture();
    EXPECT_TRUE(showsCounter("Currency:", CURRENCY_X, 50));
}

// Refused places charge nothing: with 100 to spend, the last, good place
// still gets its Gatling.
TEST_F(ControlsTest, ATurretOffTheBoardsEdgeOrOverTheCountersIsRefused)
{
    const Position off_the_bottom(10, 22);
    const Position over_the_counters(20, 1);
    const Position good(10, 15);
    start();
    playLevel(3);
    for (Position refused : {off_the_bottom, over_the_counters}) {
        SCOPED_TRACE(std::to_string(refused.getX()) + "," + std::to_string(refused.getY()));
        placeGatling(refused);
        game->moveTo(Position(40, 5));
        ASSERT_TRUE(waitForScreen(
            [&](const sf::Image& image) {
                return reader.inkAt(image, Position(refused.getX() + 1, refused.getY())) == 0;
            },
            "an empty place"));
        EXPECT_TRUE(showsCounter("Currency:", CURRENCY_X, 100));
    }
    placeGatling(good);
    ASSERT_TRUE(waitForCounter("Currency:", CURRENCY_X, 0));
}

// The window's close button quits from every screen: status 0, and a log
// that goes on to the last frame and holds nothing unexpected.
class CloseButtonTest : public PlayFixture, public testing::WithParamInterface<const char*> {};

TEST_P(CloseButtonTest, QuitsCleanlyWithACompleteLog)
{
    const std::string where = GetParam();
    start();
    if (where == "splash") {
        screen = game->capture();
        ASSERT_FALSE(shows(MENU_WELCOME, WELCOME));
    } else if (where == "menu") {
        reachMenu();
    } else if (where == "play, fast and paused") {
        playLevel(1);
        game->pressKey("Tab");
        game->pressKey("p");
        ASSERT_TRUE(waitForText(PAUSED_AT, "PAUSED"));
    } else if (where == "game over") {
        playLevel(2);
        game->pressKey("f");
        ASSERT_TRUE(waitForText(GAME_OVER_TEXT, GAME_OVER));
    }
    ASSERT_TRUE(game->requestClose());
    ASSERT_EQ(game->waitForExit(SCREEN_DEADLINE), 0) << game->errorText();

    // A level under way is saved when the window closes, after its last
    // frame: one line more, at the end.
    const bool saves = where == "play, fast and paused";
    std::istringstream log(game->logText());
    std::string line;
    std::string last_timing;
    int timing_lines = 0;
    int save_lines = 0;
    while (std::getline(log, line)) {
        if (std::regex_match(line, std::regex("Message: (draw|loop) time: -?[0-9]+"))) {
            EXPECT_EQ(save_lines, 0) << "a frame after the save: " << line;
            last_timing = line;
            ++timing_lines;
        } else if (saves && std::regex_match(line, std::regex("Message: Saved level 1 at step [0-9]+ to "
                                                              ".*/saves/level1\\.rec"))) {
            ++save_lines;
        } else {
            ADD_FAILURE() << "unexpected log line: " << line;
        }
    }
    EXPECT_GT(timing_lines, 0);
    EXPECT_EQ(save_lines, saves ? 1 : 0);
    EXPECT_EQ(last_timing.rfind("Message: loop time: ", 0), 0u)
        << "the last frame was logged whole: " << last_timing;
}

INSTANTIATE_TEST_SUITE_P(EveryScreen, CloseButtonTest,
                         testing::Values("splash", "menu", "play, fast and paused", "game over"),
                         [](const testing::TestParamInfo<const char*>& param_info) {
                             std::string name;
                             for (const char* p = param_info.param; *p != '\0'; ++p)
                                 if (std::isalnum(static_cast<unsigned char>(*p)))
                                     name += *p;
                             return name;
                         });

} // namespace
