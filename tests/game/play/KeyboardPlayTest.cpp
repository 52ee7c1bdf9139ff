// Play without the mouse, driven as the input manager drives it: the
// placement cursor, the digit keys, Enter, Esc and the sale key, and the
// selection that the turret commands act on. The rules of buying, placing
// and selling are run both ways, with clicks and with keys, to the same end.
#include "play/KeyboardPlay.h"

#include "PlayHarness.h"
#include "content/Controls.h"
#include "play/PlayControls.h"
#include "play/Reticle.h"
#include "play/WavesGame.h"
#include "shop/Build.h"
#include "shop/Info.h"
#include "turrets/Gatling.h"
#include "turrets/Turret.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace play;
using zp::Position;

namespace {

const Position START(40, 12);
const Position FREE_CELL(20, 5);
const Position OVER_THE_COUNTERS(20, 1);
const Position GATLING_PANEL(66, 2);
// A cell of the Freeze panel, whose price the starting currency does not cover.
const Position FREEZE_PANEL_CELL(70, 14);
const int PANEL_COUNT = 3;

void press(int code)
{
    key(code, zp::KEY_PRESSED);
}

class KeyboardPlayTest : public Play {
protected:
    void SetUp() override
    {
        Play::SetUp();
        loadPlaySprites();
        loadSound("explosion");
        new WavesGame(levelFile("long"), pathFile("long"));
        p_controls = objectsOf<PlayControls>().at(0);
        p_reticle = objectsOf<Reticle>().at(0);
    }

    void TearDown() override
    {
        unloadAudio({"explosion"});
        Play::TearDown();
    }

    // The cursor walks there by arrows alone: five cells at a time with
    // Shift held, then one at a time.
    void walkCursorTo(Position cell)
    {
        auto walk = [&](int distance, int less_key, int more_key) {
            const int code = distance < 0 ? less_key : more_key;
            int left = distance < 0 ? -distance : distance;
            if (left >= CURSOR_LEAP) {
                key(sf::Keyboard::LShift, zp::KEY_PRESSED);
                for (; left >= CURSOR_LEAP; left -= CURSOR_LEAP)
                    press(code);
                key(sf::Keyboard::LShift, zp::KEY_RELEASED);
            }
            for (; left > 0; --left)
                press(code);
        };
        walk(cell.getX() - p_controls->getCursor().getX(), sf::Keyboard::Left, sf::Keyboard::Right);
        walk(cell.getY() - p_controls->getCursor().getY(), sf::Keyboard::Up, sf::Keyboard::Down);
        ASSERT_EQ(p_controls->getCursor(), cell);
    }

    static std::vector<std::string> buildTypes()
    {
        std::vector<std::string> found;
        for (Build* p_build : objectsOf<Build>())
            if (!p_build->isFinished())
                found.push_back(p_build->getType());
        return found;
    }

    static std::vector<std::string> turretsAt(Position cell)
    {
        std::vector<std::string> found;
        for (Turret* p_turret : objectsOf<Turret>())
            if (p_turret->getPosition() == cell && !p_turret->isSold())
                found.push_back(p_turret->getType());
        return found;
    }

    PlayControls* p_controls = nullptr;
    Reticle* p_reticle = nullptr;
    zp::GameManager& engine = zp::GameManager::getInstance();
};

TEST_F(KeyboardPlayTest, ArrowsMoveTheCursorOneCellOrFiveWithShiftAndThePointerMovesItToo)
{
    EXPECT_EQ(p_controls->getCursor(), START) << "where the reticle starts";
    const struct {
        int key;
        bool shift;
        Position after;
    } moves[] = {
        {sf::Keyboard::Right, false, {41, 12}}, {sf::Keyboard::Down, false, {41, 13}},
        {sf::Keyboard::Left, true, {36, 13}},   {sf::Keyboard::Up, true, {36, 8}},
        {sf::Keyboard::Up, true, {36, 3}},      {sf::Keyboard::Up, true, {36, 0}},
        {sf::Keyboard::Up, false, {36, 0}},     {sf::Keyboard::Right, true, {41, 0}},
        {sf::Keyboard::Left, false, {40, 0}},
    };
    for (const auto& m : moves) {
        SCOPED_TRACE(testing::Message() << "key " << m.key << (m.shift ? " with Shift" : ""));
        if (m.shift)
            key(sf::Keyboard::RShift, zp::KEY_PRESSED);
        press(m.key);
        if (m.shift)
            key(sf::Keyboard::RShift, zp::KEY_RELEASED);
        EXPECT_EQ(p_controls->getCursor(), m.after);
        EXPECT_EQ(p_reticle->getPosition(), m.after) << "the reticle marks it";
    }
    // The board's edges hold it.
    key(sf::Keyboard::LShift, zp::KEY_PRESSED);
    for (int i = 0; i < 20; ++i) {
        press(sf::Keyboard::Right);
        press(sf::Keyboard::Down);
    }
    EXPECT_EQ(p_controls->getCursor(), Position(79, 23));
    for (int i = 0; i < 20; ++i)
        press(sf::Keyboard::Left);
    key(sf::Keyboard::LShift, zp::KEY_RELEASED);
    EXPECT_EQ(p_controls->getCursor(), Position(0, 23));

    // A move of the mouse takes it along, and the arrows go on from there.
    moveMouse(Position(20, 5));
    EXPECT_EQ(p_controls->getCursor(), Position(20, 5));
    press(sf::Keyboard::Right);
    EXPECT_EQ(p_controls->getCursor(), Position(21, 5));
    // Held or released, arrows do nothing.
    key(sf::Keyboard::Right, zp::KEY_DOWN);
    key(sf::Keyboard::Right, zp::KEY_RELEASED);
    EXPECT_EQ(p_controls->getCursor(), Position(21, 5));
    step();
    EXPECT_EQ(shown(5).substr(21, 1), "+");

    // A turret carried follows the cursor, also while the game is paused.
    press(sf::Keyboard::Num1);
    ASSERT_EQ(buildTypes(), std::vector<std::string>{"GatlingBuild"});
    Build* p_build = objectsOf<Build>().at(0);
    EXPECT_EQ(p_build->getPosition(), Position(21, 5));
    engine.setPaused(true);
    press(sf::Keyboard::Down);
    EXPECT_EQ(p_build->getPosition(), Position(21, 6));
    EXPECT_EQ(p_build->getSpriteIndex(), BUILD_FRAME_MOVING);
}

// One way of playing: the mouse, or the keys alone.
enum class Way { MOUSE, KEYS };

class SameRules : public KeyboardPlayTest, public testing::WithParamInterface<Way> {
protected:
    void buy(int panel_index)
    {
        if (GetParam() == Way::MOUSE)
            click(Position(66, 2 + 6 * panel_index));
        else
            press(sf::Keyboard::Num1 + panel_index);
    }

    void placeAt(Position cell)
    {
        if (GetParam() == Way::MOUSE) {
            moveMouse(cell);
            click(cell);
        } else {
            walkCursorTo(cell);
            press(sf::Keyboard::Enter);
        }
    }

    void sell(Position cell, bool other_key = false)
    {
        if (GetParam() == Way::MOUSE) {
            rightClick(cell);
        } else {
            walkCursorTo(cell);
            press(sf::Keyboard::Enter);
            press(other_key ? sf::Keyboard::Delete : sf::Keyboard::X);
        }
    }
};

TEST_P(SameRules, APurchaseIsPlacedAndChargedOnAFreeCell)
{
    buy(0);
    EXPECT_EQ(buildTypes(), std::vector<std::string>{"GatlingBuild"});
    EXPECT_EQ(objectsOf<Info>().at(0)->getSpriteIndex(), INFO_FRAME_BOUGHT);
    placeAt(FREE_CELL);
    step();
    EXPECT_EQ(turretsAt(FREE_CELL), std::vector<std::string>{"Gatling"});
    EXPECT_EQ(counter("Currency:"), 0);
    EXPECT_TRUE(objectsOf<Build>().empty());
}

TEST_P(SameRules, BlockedPlacesAndPlacesOffTheFieldCancelWithoutCharge)
{
    for (Position refused : {BLOCK_CELL, OVER_THE_COUNTERS, FREEZE_PANEL_CELL}) {
        SCOPED_TRACE(testing::Message() << refused.getX() << "," << refused.getY());
        buy(0);
        placeAt(refused);
        step();
        EXPECT_TRUE(objectsOf<Turret>().empty());
        EXPECT_TRUE(objectsOf<Build>().empty()) << "the purchase ended";
        EXPECT_EQ(counter("Currency:"), 100);
    }
}

TEST_P(SameRules, APanelWhosePriceIsNotCoveredSellsNothing)
{
    for (int panel = 1; panel < PANEL_COUNT; ++panel) {
        buy(panel);
        step();
        EXPECT_TRUE(objectsOf<Build>().empty()) << panel;
        EXPECT_EQ(objectsOf<Info>().at(size_t(panel))->getSpriteIndex(), INFO_FRAME_IDLE) << panel;
    }
    setCounter("Currency:", 300);
    buy(1);
    EXPECT_EQ(buildTypes(), std::vector<std::string>{"RocketBuild"});
}

TEST_P(SameRules, NothingIsBoughtPlacedOrSoldWhilePaused)
{
    Turret* p_turret = new Gatling(Position(30, 18));
    engine.setPaused(true);
    sell(Position(30, 18));
    buy(0);
    EXPECT_TRUE(objectsOf<Build>().empty());
    engine.setPaused(false);
    buy(0);
    engine.setPaused(true);
    placeAt(FREE_CELL);
    engine.setPaused(false);
    step();
    EXPECT_TRUE(turretsAt(FREE_CELL).empty());
    EXPECT_EQ(buildTypes(), std::vector<std::string>{"GatlingBuild"}) << "still carried";
    EXPECT_FALSE(p_turret->isSold());
    EXPECT_EQ(counter("Currency:"), 100);
}

TEST_P(SameRules, ASaleGivesBackHalfThePrice)
{
    new Gatling(Position(30, 18));
    new Gatling(Position(34, 18));
    sell(Position(30, 18));
    step();
    EXPECT_TRUE(turretsAt(Position(30, 18)).empty());
    EXPECT_EQ(counter("Currency:"), 150);
    sell(Position(34, 18), true);
    step();
    EXPECT_TRUE(turretsAt(Position(34, 18)).empty());
    EXPECT_EQ(counter("Currency:"), 200);
}

INSTANTIATE_TEST_SUITE_P(MouseAndKeys, SameRules, testing::Values(Way::MOUSE, Way::KEYS),
                         [](const testing::TestParamInfo<Way>& way) {
                             return way.param == Way::MOUSE ? std::string("Mouse") : std::string("Keys");
                         });

// A digit key trades the turret carried for the panel's own, at no cost;
// a refused one leaves it carried.
TEST_F(KeyboardPlayTest, ADigitKeyWhileCarryingTradesTheTurretCarried)
{
    walkCursorTo(FREE_CELL);
    press(sf::Keyboard::Num1);
    press(sf::Keyboard::Num2);
    step();
    EXPECT_EQ(buildTypes(), std::vector<std::string>{"GatlingBuild"}) << "the Rocket is not covered";
    EXPECT_EQ(objectsOf<Info>().at(0)->getSpriteIndex(), INFO_FRAME_IDLE);

    setCounter("Currency:", 1000);
    press(sf::Keyboard::Num2);
    step();
    ASSERT_EQ(buildTypes(), std::vector<std::string>{"RocketBuild"});
    EXPECT_EQ(objectsOf<Build>().size(), 1u);
    EXPECT_EQ(objectsOf<Build>().at(0)->getPosition(), FREE_CELL) << "at the cursor";
    EXPECT_EQ(objectsOf<Info>().at(1)->getSpriteIndex(), INFO_FRAME_BOUGHT);
    press(sf::Keyboard::Enter);
    step();
    EXPECT_EQ(turretsAt(FREE_CELL), std::vector<std::string>{"Rocket"});
    EXPECT_EQ(counter("Currency:"), 700);
    // Digits beyond the panels, and the digit 0, buy nothing.
    press(sf::Keyboard::Num4);
    press(sf::Keyboard::Num0);
    EXPECT_TRUE(objectsOf<Build>().empty());
}

// Enter places a turret bought with a click at the cursor, not at the panel.
TEST_F(KeyboardPlayTest, EnterPlacesAtTheCursorATurretBoughtWithAClick)
{
    walkCursorTo(FREE_CELL);
    click(GATLING_PANEL);
    EXPECT_EQ(objectsOf<Build>().at(0)->getPosition(), Position(64, 0));
    press(sf::Keyboard::Enter);
    step();
    EXPECT_EQ(turretsAt(FREE_CELL), std::vector<std::string>{"Gatling"});
    EXPECT_EQ(counter("Currency:"), 0);
}

TEST_F(KeyboardPlayTest, EscDropsTheTurretCarriedAtNoCostThenClearsTheSelection)
{
    walkCursorTo(FREE_CELL);
    press(sf::Keyboard::Num1);
    engine.setPaused(true);
    press(sf::Keyboard::Escape);
    engine.setPaused(false);
    EXPECT_EQ(buildTypes(), std::vector<std::string>{"GatlingBuild"}) << "kept while paused, as a click is";
    press(sf::Keyboard::Escape);
    step();
    EXPECT_TRUE(objectsOf<Build>().empty());
    EXPECT_TRUE(objectsOf<Turret>().empty());
    EXPECT_EQ(counter("Currency:"), 100);

    Turret* p_turret = new Gatling(Position(30, 18));
    click(Position(30, 18));
    ASSERT_EQ(p_controls->selectedTurret(), p_turret);
    engine.setPaused(true);
    press(sf::Keyboard::Escape);
    EXPECT_EQ(p_controls->selectedTurret(), nullptr) << "a selection clears while paused too";
    engine.setPaused(false);
    // With nothing to drop or clear, Esc opens the pause menu, which pauses
    // the game and changes nothing on the board; Esc again goes back.
    press(sf::Keyboard::Escape);
    step();
    EXPECT_TRUE(p_controls->isPauseMenuShown());
    EXPECT_TRUE(engine.isPaused());
    EXPECT_EQ(objectsOf<Turret>().size(), 1u);
    press(sf::Keyboard::Escape);
    step();
    EXPECT_FALSE(p_controls->isPauseMenuShown());
    EXPECT_FALSE(engine.isPaused());
}

TEST_F(KeyboardPlayTest, EnterOrALeftClickOnATurretSelectsItAndElsewhereClears)
{
    Turret* p_first = new Gatling(Position(30, 18));
    Turret* p_second = new Gatling(Position(34, 18));
    EXPECT_EQ(p_controls->selectedTurret(), nullptr);

    walkCursorTo(Position(30, 18));
    press(sf::Keyboard::Enter);
    EXPECT_EQ(p_controls->selectedTurret(), p_first);
    walkCursorTo(Position(31, 18));
    press(sf::Keyboard::Enter);
    EXPECT_EQ(p_controls->selectedTurret(), nullptr) << "Enter beside a turret";

    click(Position(34, 18));
    EXPECT_EQ(p_controls->selectedTurret(), p_second);
    rightClick(Position(40, 20));
    EXPECT_EQ(p_controls->selectedTurret(), p_second) << "right clicks sell, they do not select";
    click(Position(50, 20));
    EXPECT_EQ(p_controls->selectedTurret(), nullptr) << "a click elsewhere";
    click(Position(34, 18));
    click(GATLING_PANEL);
    EXPECT_EQ(p_controls->selectedTurret(), nullptr) << "a click on a panel";

    // Carrying, a click on a turret cancels the purchase there and selects nothing.
    moveMouse(Position(30, 18));
    click(Position(30, 18));
    step();
    EXPECT_EQ(p_controls->selectedTurret(), nullptr);
    EXPECT_TRUE(objectsOf<Build>().empty());
    EXPECT_EQ(counter("Currency:"), 100);

    // The sale key acts on the selection only; a sold turret is no longer selected.
    press(sf::Keyboard::X);
    step();
    EXPECT_EQ(objectsOf<Turret>().size(), 2u);
    click(Position(30, 18));
    press(sf::Keyboard::X);
    EXPECT_EQ(p_controls->selectedTurret(), nullptr);
    press(sf::Keyboard::Delete);
    step();
    EXPECT_EQ(counter("Currency:"), 150);
    EXPECT_EQ(objectsOf<Turret>(), std::vector<Turret*>{p_second});
}

} // namespace
