// The player's choices in the real window: a game at Casual, where a Gatling
// is bought, upgraded with U, retargeted with T and sold with a right click,
// read off captures (the pointed turret's line, the marks beside it, the
// counters); the menu's difficulty and its D key; and the recording of it
// all, which replays headless to the same end.
#include "PlayFixture.h"
#include "support/RunDir.h"
#include "support/Shell.h"

#include "zp/InputRecording.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <string>

namespace {

using namespace e2e;
using zp::Position;

const Position TURRET_LINE_AT(0, 23);
const Position MENU_DIFFICULTY_AT(15, 19);

class StrategyTest : public PlayFixture {
protected:
    // The currency counter's value on the capture: "|Currency: N|" is centred
    // on its column, so its digits start one column further right for N < 10.
    int currencyShown() const
    {
        const int value = reader.readNumber(screen, Position(CURRENCY_X + 4, 1), 3);
        return value >= 0 ? value : reader.readNumber(screen, Position(CURRENCY_X + 5, 1), 1);
    }

    // Enemies walk past the turret, and their health bars may cover a mark
    // for a moment: the mark is waited for.
    bool waitForMark(zp::Position cell, const std::string& mark)
    {
        return waitForScreen(
            [&](const sf::Image& image) {
                return mark.empty()
                           ? reader.inkAt(image, cell) == 0
                           : reader.shows(image, cell, mark) && reader.colorAt(image, cell) == zp::YELLOW;
            },
            mark.empty() ? "no mark" : "the mark " + mark);
    }
};

TEST_F(StrategyTest, AGatlingUpgradedRetargetedAndSoldInTheWindowAndTheGameReplays)
{
    const std::string recording_file = zp::test::runDir() + "/choices.rec";
    const LevelData data = readLevel(1);
    const Position place = bestTurretCell(data, spriteBox("Sprites/Turrets/Gatling/gatling-build-spr.txt"));
    ASSERT_GE(place.getX(), 0) << "no free cell beside the path";
    // The marks stand right of the turret's three columns: the mode's letter
    // beside its top row, the upgrade level beside the next.
    const Position mode_mark(place.getX() + 3, place.getY());
    const Position level_mark(place.getX() + 3, place.getY() + 1);

    RunOptions options;
    options.arguments = {"--level", "1", "--difficulty", "casual", "--record", recording_file};
    start(options);
    ASSERT_TRUE(waitForCounter("Lives:", LIVES_X, 20)) << "Casual starts with 20 lives";
    ASSERT_TRUE(waitForCounter("Currency:", CURRENCY_X, 100));
    game->click(GATLING_PANEL);
    game->moveTo(place);
    game->click(place);
    ASSERT_TRUE(waitForCounter("Currency:", CURRENCY_X, 0)) << "the Gatling was bought";

    // The kills pay for an upgrade sooner at 4x, with every wave called at once.
    game->pressKey("Tab");
    game->pressKey("Tab");
    ASSERT_TRUE(waitForScreen(
        [&](const sf::Image& image) {
            game->pressKey("n");
            screen = image;
            return currencyShown() >= 100;
        },
        "currency for an upgrade", PLAY_DEADLINE));
    game->pressKey("Tab");

    // Pointed at, the turret tells what U would buy.
    game->moveTo(place);
    ASSERT_TRUE(waitForText(TURRET_LINE_AT, "Gatling Lv0 aim first (T) | U 100: dmg 5>8 | sell 50"));
    const int before_upgrade = currencyShown();
    EXPECT_TRUE(waitForMark(mode_mark, "")) << "no mark for the first mode";
    EXPECT_TRUE(waitForMark(level_mark, "")) << "no mark for the base level";

    game->pressKey("u");
    ASSERT_TRUE(waitForText(TURRET_LINE_AT, "Gatling Lv1 aim first (T) | U 200: dmg 8>11 | sell 100"));
    // Paid from the counter: 100 less, give or take the kills of the moment.
    const int after_upgrade = currencyShown();
    EXPECT_LE(after_upgrade, before_upgrade - 100 + 30) << before_upgrade << " before";
    EXPECT_TRUE(waitForMark(level_mark, "1"));

    game->pressKey("t");
    ASSERT_TRUE(waitForText(TURRET_LINE_AT, "Gatling Lv1 aim closest (T) | U 200: dmg 8>11 | sell 100"));
    EXPECT_TRUE(waitForMark(mode_mark, "C"));
    game->pressKey("t");
    ASSERT_TRUE(waitForText(TURRET_LINE_AT, "Gatling Lv1 aim strongest (T) | U 200: dmg 8>11 | sell 100"));
    EXPECT_TRUE(waitForMark(mode_mark, "S"));
    EXPECT_TRUE(waitForMark(level_mark, "1"));
    saveScreenshot("choices");

    // Sold for half of all it cost: its price and the upgrade.
    const int before_sale = currencyShown();
    game->click(place, 3);
    ASSERT_TRUE(waitForScreen(
        [&](const sf::Image& image) {
            screen = image;
            return !reader.rowContains(image, TURRET_LINE_AT.getY(), "Gatling") &&
                   reader.inkAt(image, Position(place.getX() + 1, place.getY() + 1)) == 0;
        },
        "the turret sold"));
    EXPECT_GE(currencyShown(), before_sale + 100);
    EXPECT_TRUE(waitForMark(level_mark, "")) << "its marks went with it";
    EXPECT_TRUE(waitForMark(mode_mark, "")) << "its marks went with it";

    // The menu after the game shows the difficulty; D goes to the next.
    game->pressKey("f");
    ASSERT_TRUE(waitForText(GAME_OVER_TEXT, GAME_OVER));
    reachMenu();
    ASSERT_TRUE(waitForText(MENU_DIFFICULTY_AT, "Casual"));
    game->pressKey("d");
    ASSERT_TRUE(waitForText(MENU_DIFFICULTY_AT, "Normal"));
    game->pressKey("q");
    ASSERT_EQ(game->waitForExit(SCREEN_DEADLINE), 0) << game->errorText();

    // The recording names its difficulty, holds the keys, and replays to the same end.
    zp::InputRecording recording;
    std::string error;
    ASSERT_EQ(recording.readFile(recording_file, error), 0) << error;
    EXPECT_EQ(recording.getMeta("difficulty"), "casual");
    int upgrades = 0;
    int retargets = 0;
    for (const zp::RecordedInput& input : recording.getInputs()) {
        if (!input.keyboard || input.action != zp::KEY_PRESSED)
            continue;
        upgrades += input.code == sf::Keyboard::U ? 1 : 0;
        retargets += input.code == sf::Keyboard::T ? 1 : 0;
    }
    EXPECT_EQ(upgrades, 1);
    EXPECT_EQ(retargets, 2);
    const std::string end_step = std::to_string(recording.getEndStep());
    const std::string headless = zp::test::commandOutput(
        std::string("cd '") + zp::test::runDir() + "' && '" + ZP_BUILD_DIR + "/cinderwatch' --replay '" +
        recording_file + "' --headless 2>&1; echo status $?");
    EXPECT_NE(headless.find("final step " + end_step + " level 1 "), std::string::npos) << headless;
    EXPECT_NE(headless.find("status 0"), std::string::npos) << headless;
}

} // namespace
