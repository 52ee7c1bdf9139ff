// Play without the mouse in the real game: level 1 to wave 5 with keys
// alone, the reach of a turret carried and selected read off captures of
// the window cell by cell, and the palettes chosen on the command line.
#include "PlayFixture.h"
#include "support/RunDir.h"
#include "support/Shell.h"
#include "support/WindowCapture.h"

#include "zp/EventMouse.h"
#include "zp/InputRecording.h"
#include "zp/Utility.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace e2e;
using zp::Position;

const Position PREVIEW_AT(0, 23);
const int GATLING_RANGE = 20;
const int CURSOR_LEAP = 5;
// A turret's numbers stand beside it: right of its three columns and one
// blank column (left of it when the buy panels leave no room), from its top
// row unless the panel's twelve rows would then reach the wave preview's row.
const int TURRET_SIZE = 3;
const int PANELS_COLUMN = 64;
const int SELECTION_PANEL_HEIGHT = 12;
// The frame and a blank on each side, labels ten wide, then the longest
// value: "every 2 steps", or the count of track cells it reaches.
int selectionPanelWidth(int covered)
{
    const std::string reaches = std::to_string(covered) + " track cells";
    return 4 + 10 + int(std::max(reaches.size(), std::string("every 2 steps").size()));
}
// What a faint tint of the default palette looks like over black: a fifth of
// cyan for the cells a turret reaches, of yellow for the track's among them.
const sf::Color REACH_TINT(0, 51, 51);
const sf::Color TRACK_TINT(51, 51, 0);

bool near(const sf::Color& a, const sf::Color& b)
{
    return std::abs(a.r - b.r) <= 2 && std::abs(a.g - b.g) <= 2 && std::abs(a.b - b.b) <= 2;
}

std::string repeated(const std::string& key, int times)
{
    std::string keys;
    for (int i = 0; i < times; ++i)
        keys += (keys.empty() ? "" : " ") + key;
    return keys;
}

class KeyboardTest : public PlayFixture {
protected:
    // The cursor goes to the top left corner (the board's edges hold it),
    // then to the cell, five cells at a time with Shift and then one by one.
    void walkCursorTo(Position cell)
    {
        game->pressKey(repeated("shift+Left", 16) + " " + repeated("shift+Up", 5));
        std::string keys = repeated("shift+Right", cell.getX() / CURSOR_LEAP);
        keys += " " + repeated("Right", cell.getX() % CURSOR_LEAP);
        keys += " " + repeated("shift+Down", cell.getY() / CURSOR_LEAP);
        keys += " " + repeated("Down", cell.getY() % CURSOR_LEAP);
        game->pressKey(keys);
    }

    // The cells enemies stand on: the start and the path, each once.
    static std::set<std::pair<int, int>> trackCells(const LevelData& data)
    {
        std::set<std::pair<int, int>> cells = {{data.enemy_start.getX(), data.enemy_start.getY()}};
        for (const Position& cell : data.path)
            cells.emplace(cell.getX(), cell.getY());
        return cells;
    }

    // Every cell of the board left of the panels shows the tint the rule of
    // a Gatling at `turret` gives it, except those of `overlay`; returns how
    // many cells differ (and names the first few).
    int cellsNotAsTheRuleSays(const sf::Image& image, const LevelData& data, Position turret,
                              const zp::Box& overlay)
    {
        const std::set<std::pair<int, int>> track = trackCells(data);
        int wrong = 0;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 64; ++x) {
                const Position cell(x, y);
                const bool in_overlay = x >= overlay.getCorner().getX() &&
                                        x < overlay.getCorner().getX() + overlay.getHorizontal() &&
                                        y >= overlay.getCorner().getY() &&
                                        y < overlay.getCorner().getY() + overlay.getVertical();
                sf::Color expected = sf::Color::Black;
                if (!in_overlay && zp::scaledDistance(turret, cell) <= GATLING_RANGE)
                    expected = track.count({x, y}) > 0 ? TRACK_TINT : REACH_TINT;
                const sf::Color seen = reader.backgroundAt(image, cell);
                if (!near(seen, expected)) {
                    if (++wrong <= 5)
                        ADD_FAILURE() << "cell " << x << "," << y << " shows " << int(seen.r) << ","
                                      << int(seen.g) << "," << int(seen.b) << ", not " << int(expected.r)
                                      << "," << int(expected.g) << "," << int(expected.b);
                }
            }
        }
        return wrong;
    }

    static int covered(const LevelData& data, Position turret)
    {
        int count = 0;
        for (const auto& [x, y] : trackCells(data))
            count += zp::scaledDistance(turret, Position(x, y)) <= GATLING_RANGE ? 1 : 0;
        return count;
    }
};

// A whole game from the keyboard: Esc gives a turret back, the digit buys,
// Enter places and selects, X sells, N calls the waves; the recording of
// the run holds no click at all.
TEST_F(KeyboardTest, Level1ToWave5WithKeysAlone)
{
    const LevelData data = readLevel(1);
    const Position place = bestTurretCell(data, spriteBox(GATLING_KIND.build_sprite));
    ASSERT_GE(place.getX(), 0) << "no free cell beside the path";
    const std::string recording_file = zp::test::runDir() + "/keys.rec";
    RunOptions options;
    options.arguments = {"--record", recording_file};
    start(options);
    playLevel(1);

    // Carried: its reach under the board, and the track cells it covers beside it.
    walkCursorTo(place);
    game->pressKey("1");
    const std::string line = "covers " + std::to_string(covered(data, place)) + " track cells";
    const Position line_at(place.getX() + TURRET_SIZE + 1, place.getY() + TURRET_SIZE / 2);
    ASSERT_TRUE(waitForText(line_at, line));
    EXPECT_EQ(cellsNotAsTheRuleSays(screen, data, place, zp::Box(line_at, int(line.size()), 1)), 0);
    EXPECT_TRUE(showsCounter("Currency:", CURRENCY_X, 100)) << "nothing is charged while carrying";

    // Esc gives it back; the digit and Enter buy and place it.
    game->pressKey("Escape");
    ASSERT_TRUE(waitForScreen([&](const sf::Image& image) { return !reader.shows(image, line_at, line); },
                              "the turret given back"));
    EXPECT_EQ(cellsNotAsTheRuleSays(screen, data, place, zp::Box(Position(0, 0), 80, 24)), 0)
        << "no reach shows";
    game->pressKey("1 Return");
    ASSERT_TRUE(waitForCounter("Currency:", CURRENCY_X, 0));

    // Enter on it selects it: its reach, and its panel beside it.
    game->pressKey("Return");
    const int right_of = place.getX() + TURRET_SIZE + 1;
    const int panel_width = selectionPanelWidth(covered(data, place));
    const Position panel_at(right_of + panel_width <= PANELS_COLUMN ? right_of
                                                                    : place.getX() - 1 - panel_width,
                            std::min(place.getY(), 23 - SELECTION_PANEL_HEIGHT));
    ASSERT_TRUE(waitForText(Position(panel_at.getX() + 2, panel_at.getY() + 1), "Gatling"));
    for (const auto& [row, text] : std::vector<std::pair<int, std::string>>{
             {2, "damage    5"}, {4, "range     20"}, {6, "aim       first  (T)"}, {10, "sells for 50  (X)"}})
        EXPECT_TRUE(shows(Position(panel_at.getX() + 2, panel_at.getY() + row), text)) << text;
    EXPECT_EQ(
        cellsNotAsTheRuleSays(screen, data, place, zp::Box(panel_at, panel_width, SELECTION_PANEL_HEIGHT)),
        0);
    saveScreenshot("selected");

    // Unselected, the turret under the cursor keeps the bottom row (T and U
    // would act on it) until the cursor steps off it.
    game->pressKey("Escape");
    ASSERT_TRUE(waitForScreen(
        [&](const sf::Image& image) {
            return !reader.shows(image, Position(panel_at.getX() + 2, panel_at.getY() + 1), "Gatling");
        },
        "the selection cleared"));
    EXPECT_TRUE(waitForText(PREVIEW_AT, "Gatling Lv0 aim first (T) | U 100: dmg 5>8 | sell 50"));
    game->pressKey("Left");

    // The first wave comes by itself while the turret is looked at; N calls
    // each later one at once. After the third, seven kills have paid 70: the
    // sale gives 50 back, and a new Gatling goes on the same cell.
    ASSERT_TRUE(waitForCounter("Wave:", WAVE_X, 1, PLAY_DEADLINE));
    for (int wave = 2; wave <= 5; ++wave) {
        ASSERT_TRUE(waitForText(PREVIEW_AT, "Next wave " + std::to_string(wave) + ":", PLAY_DEADLINE));
        if (wave == 4) {
            ASSERT_TRUE(showsCounter("Currency:", CURRENCY_X, 70));
            game->pressKey("Right Return x");
            ASSERT_TRUE(waitForCounter("Currency:", CURRENCY_X, 120));
            game->pressKey("1 Return Left");
            ASSERT_TRUE(waitForCounter("Currency:", CURRENCY_X, 20));
        }
        game->pressKey("n");
        ASSERT_TRUE(waitForCounter("Wave:", WAVE_X, wave));
    }
    EXPECT_TRUE(showsCounter("Lives:", LIVES_X, 10)) << "the Gatling held the track";

    game->pressKey("f");
    ASSERT_TRUE(waitForText(GAME_OVER_TEXT, GAME_OVER));
    reachMenu();
    game->pressKey("q");
    ASSERT_EQ(game->waitForExit(SCREEN_DEADLINE), 0) << game->errorText();
    zp::InputRecording recording;
    std::string error;
    ASSERT_EQ(recording.readFile(recording_file, error), 0) << error;
    int keys = 0;
    for (const zp::RecordedInput& input : recording.getInputs()) {
        keys += input.keyboard ? 1 : 0;
        EXPECT_TRUE(input.keyboard || input.action == zp::MOVED) << "a click at step " << input.step;
    }
    EXPECT_GT(keys, 100);

    // What the keys did follows from the keys alone: the replay reaches every
    // state the game recorded.
    const std::string replayed = zp::test::commandOutput(
        std::string("cd '") + zp::test::runDir() + "' && '" + ZP_BUILD_DIR + "/cinderwatch' --replay '" +
        recording_file + "' --headless 2>&1; echo status $?");
    EXPECT_NE(replayed.find("status 0"), std::string::npos) << replayed;
}

// The palette named on the command line colours every glyph: the track's
// blue is the colour-blind palette's blue, the default blue shows nowhere.
TEST_F(KeyboardTest, ThePaletteOptionColoursTheBoard)
{
    const LevelData data = readLevel(1);
    ASSERT_FALSE(data.blocks.empty());
    const Position block = data.blocks.front().getCorner();
    const sf::Color okabe_ito_blue(0, 114, 178);
    RunOptions options;
    options.arguments = {"--level", "1", "--palette", "colour-blind"};
    start(options);
    ASSERT_TRUE(
        waitForScreen([&](const sf::Image& image) { return reader.inkAt(image, block) > 0; }, "the track"));
    int okabe_ito = 0;
    int primary = 0;
    for (int x = 0; x < 64; ++x) {
        const Position cell(x, block.getY());
        okabe_ito += zp::test::countColorInCell(screen, cell, okabe_ito_blue);
        primary += zp::test::countColorInCell(screen, cell, sf::Color::Blue);
    }
    EXPECT_GT(okabe_ito, 100);
    EXPECT_EQ(primary, 0);
}

} // namespace
