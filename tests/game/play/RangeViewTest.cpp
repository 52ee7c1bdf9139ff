// The reach of a turret carried or selected, as the frame shows it: every
// cell's tint is checked against the rule of the turret's targeting, and the
// coverage line and the selection panel are read off the frame's text.
#include "play/RangeView.h"

#include "PlayHarness.h"
#include "level/Level.h"
#include "level/LevelManager.h"
#include "play/PlayControls.h"
#include "play/SelectionPanel.h"
#include "play/WavesGame.h"
#include "turrets/Freeze.h"
#include "turrets/Gatling.h"
#include "turrets/Reach.h"

#include "zp/Utility.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

using namespace play;
using zp::Position;

namespace {

const Position TREASURE(17, 12);
const int GATLING_RANGE = 20;

void press(int code)
{
    key(code, zp::KEY_PRESSED);
}

bool inside(const zp::Box& box, Position cell)
{
    const int x = cell.getX() - box.getCorner().getX();
    const int y = cell.getY() - box.getCorner().getY();
    return x >= 0 && x < box.getHorizontal() && y >= 0 && y < box.getVertical();
}

class RangeViewTest : public Play {
protected:
    void SetUp() override
    {
        Play::SetUp();
        loadPlaySprites();
        new WavesGame(levelFile("reach"), pathFile("reach"));
        p_controls = objectsOf<PlayControls>().at(0);
        for (const Position& cell : trackCells(*LevelManager::getInstance().getLevel()))
            track.emplace(cell.getX(), cell.getY());
    }

    void walkCursorTo(Position cell)
    {
        while (p_controls->getCursor().getX() != cell.getX())
            press(p_controls->getCursor().getX() < cell.getX() ? sf::Keyboard::Right : sf::Keyboard::Left);
        while (p_controls->getCursor().getY() != cell.getY())
            press(p_controls->getCursor().getY() < cell.getY() ? sf::Keyboard::Down : sf::Keyboard::Up);
    }

    // Every cell of the frame shown last is tinted as a turret at `from`
    // with `range` reaches it, the track's cells apart, except the cells of
    // `overlay` and the panels' keys, drawn over blanked cells, which are
    // not tinted at all.
    void expectReachShown(Position from, int range, const zp::Box& overlay)
    {
        auto hidden = [&](Position cell) {
            for (int top : {0, 6, 12})
                if (cell == Position(65, top))
                    return true;
            return inside(overlay, cell);
        };
        const zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
        int reached = 0;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 80; ++x) {
                const Position cell(x, y);
                zp::Color expected = zp::BLACK;
                if (!hidden(cell) && zp::scaledDistance(from, cell) <= range)
                    expected = track.count({x, y}) > 0 ? TRACK_REACH_SHADE : REACH_SHADE;
                reached += expected != zp::BLACK ? 1 : 0;
                ASSERT_EQ(graphics.getShownShade(cell), expected) << x << "," << y;
            }
        }
        EXPECT_GT(reached, 0);
    }

    static void expectNothingShaded()
    {
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 80; ++x)
                ASSERT_EQ(zp::GraphicsManager::getInstance().getShownShade(Position(x, y)), zp::BLACK)
                    << x << "," << y;
    }

    PlayControls* p_controls = nullptr;
    std::set<std::pair<int, int>> track;
};

TEST_F(RangeViewTest, ACarriedTurretShowsItsReachUnderTheBoardAndTheTrackCellsItCovers)
{
    step();
    expectNothingShaded();
    walkCursorTo(Position(12, 8));
    press(sf::Keyboard::Num1);
    step();
    // Nine of the board's ten track cells (counted in ReachTest), on the
    // right of the one-cell cursor.
    const std::string line = "covers 9 track cells";
    EXPECT_EQ(shown(8).substr(14, line.size()), line);
    expectReachShown(Position(12, 8), GATLING_RANGE, zp::Box(Position(14, 8), int(line.size()), 1));
    // Under the treasure, which still shows.
    EXPECT_EQ(shown(TREASURE.getY()).substr(size_t(TREASURE.getX()), 1), "$");
    EXPECT_EQ(zp::GraphicsManager::getInstance().getShownShade(TREASURE), REACH_SHADE);

    // Near the buy panels the line goes to the left of the cursor.
    walkCursorTo(Position(60, 8));
    step();
    EXPECT_EQ(shown(8).substr(39, 20), "covers 0 track cells");
    expectReachShown(Position(60, 8), GATLING_RANGE, zp::Box(Position(39, 8), 20, 1));

    // Placed, the turret shows nothing until it is selected.
    walkCursorTo(Position(12, 8));
    press(sf::Keyboard::Enter);
    step();
    ASSERT_EQ(objectsOf<Turret>().size(), 1u);
    expectNothingShaded();
    EXPECT_EQ(shown(8).find("covers"), std::string::npos);
}

TEST_F(RangeViewTest, TheSelectedTurretShowsItsReachAndItsPanel)
{
    new Gatling(Position(12, 8));
    walkCursorTo(Position(12, 8));
    press(sf::Keyboard::Enter);
    step();
    // Right of the turret, from its top row: a frame, the kind, then the lines.
    const int left = 14;
    const int top = 8;
    const char* const rows[] = {
        ".-------------------------.", "| Gatling                 |", "| damage    5             |",
        "| fires     every 2 steps |", "| range     20            |", "| reaches   9 track cells |",
        "| aim       first  (T)    |", "| level     0 of 2        |", "| upgrade   100  (U)      |",
        "| gives     dmg 5>8       |", "| sells for 50  (X)       |", "'-------------------------'",
    };
    const int width = 27;
    const int height = 12;
    for (int i = 0; i < height; ++i)
        EXPECT_EQ(shown(top + i).substr(left, width), rows[i]) << "row " << i;
    expectReachShown(Position(12, 8), GATLING_RANGE, zp::Box(Position(left, top), width, height));

    // The aim line follows the targeting key.
    press(sf::Keyboard::T);
    step();
    EXPECT_EQ(shown(top + 6).substr(left, width), "| aim       closest  (T)  |");

    press(sf::Keyboard::Escape);
    step();
    expectNothingShaded();
    EXPECT_EQ(shown(top + 1).find("Gatling"), std::string::npos);
}

// A Freeze near the panels: its panel stands on its left, lifted so that
// it fits the board, and says how long it freezes.
TEST_F(RangeViewTest, APanelWithoutRoomOnTheRightStandsOnTheLeft)
{
    new Freeze(Position(55, 17));
    click(Position(55, 17));
    step();
    const std::vector<std::pair<std::string, std::string>> lines =
        selectionLines(*objectsOf<Turret>().at(0), 0);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"damage", "0"},           {"freezes", "20 steps"},      {"fires", "every 20 steps"},
        {"range", "10"},           {"reaches", "0 track cells"}, {"aim", "first  (T)"},
        {"level", "0 of 2"},       {"upgrade", "300  (U)"},      {"gives", "rng 10>14 frz 20>30"},
        {"sells for", "300  (X)"},
    };
    EXPECT_EQ(lines, expected);
    // Thirteen rows, the lowest just above the wave preview's row; 33
    // columns ending one column left of the turret.
    const int left = 55 - 1 - 33;
    EXPECT_EQ(shown(10).substr(size_t(left), 33), "." + std::string(31, '-') + ".");
    EXPECT_EQ(shown(11).substr(size_t(left), 33), "| Freeze                        |");
    EXPECT_EQ(shown(13).substr(size_t(left), 33), "| freezes   20 steps            |");
    EXPECT_EQ(shown(22).substr(size_t(left), 33), "'" + std::string(31, '-') + "'");
    expectReachShown(Position(55, 17), 10, zp::Box(Position(left, 10), 33, 13));
}

// At the top level the panel says so, and the sale returns half of all spent.
TEST_F(RangeViewTest, TheSelectedTurretsLevelAndSaleFollowItsUpgrades)
{
    Turret* p_turret = new Gatling(Position(12, 8));
    click(Position(12, 8));
    setCounter("Currency:", 1000);
    press(sf::Keyboard::U);
    press(sf::Keyboard::U);
    ASSERT_EQ(p_turret->getUpgradeLevel(), 2);
    const auto lines = selectionLines(*p_turret, 9);
    const std::vector<std::pair<std::string, std::string>> tail(lines.end() - 3, lines.end());
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"level", "2 of 2"}, {"upgrade", "none left"}, {"sells for", "200  (X)"}};
    EXPECT_EQ(tail, expected);
    // The damage of the top level, not the base's 5.
    ASSERT_NE(p_turret->getDamage(), 5);
    EXPECT_EQ(lines.front(),
              (std::pair<std::string, std::string>("damage", std::to_string(p_turret->getDamage()))));
}

} // namespace
