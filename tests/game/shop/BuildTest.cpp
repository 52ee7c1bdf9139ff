#include "shop/Build.h"

#include "PlayHarness.h"
#include "enemies/EnemyEasy.h"
#include "hud/CurrencyView.h"
#include "play/Reticle.h"
#include "play/WavesGame.h"
#include "shop/FreezeBuild.h"
#include "shop/GatlingBuild.h"
#include "shop/GatlingInfo.h"
#include "shop/RocketBuild.h"
#include "turrets/Freeze.h"
#include "turrets/Gatling.h"
#include "turrets/Rocket.h"

#include "zp/InputManager.h"
#include "zp/InputRecording.h"
#include "zp/InputReplayer.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using namespace play;
using zp::Position;

namespace {

// A cell of each buy panel, and a free cell of the board.
const Position GATLING_PANEL(66, 2);
const Position ROCKET_PANEL(66, 8);
const Position FREEZE_PANEL(66, 14);
const Position FREE_CELL(20, 5);

class Building : public Play {
protected:
    void SetUp() override
    {
        Play::SetUp();
        loadPlaySprites();
        new WavesGame(levelFile("short"), pathFile("short"));
    }

    static std::vector<std::string> turrets()
    {
        std::vector<std::string> found;
        for (Turret* p_turret : objectsOf<Turret>())
            found.push_back(p_turret->getType());
        return found;
    }
};

TEST_F(Building, APurchasePlacesTheTurretAndChargesThePrice)
{
    click(GATLING_PANEL);
    ASSERT_EQ(objectsOf<Build>().size(), 1u);
    Build* p_cursor = objectsOfType<Build>("GatlingBuild").at(0);
    EXPECT_EQ(p_cursor->getType(), "GatlingBuild");
    EXPECT_EQ(p_cursor->getPosition(), Position(64, 0));
    EXPECT_EQ(p_cursor->getPrice(), 100);
    EXPECT_EQ(p_cursor->getSolidness(), zp::SOFT);
    EXPECT_EQ(p_cursor->getAltitude(), 4);
    EXPECT_EQ(p_cursor->getSprite(), zp::ResourceManager::getInstance().getSprite("gatling-build"));
    EXPECT_EQ(p_cursor->getSpriteSlowdown(), 0);
    EXPECT_EQ(p_cursor->getSpriteIndex(), 0);
    EXPECT_EQ(counter("Currency:"), 100);

    // Standing on its panel it looks blocked, until the mouse carries it away.
    step();
    EXPECT_EQ(p_cursor->getSpriteIndex(), 1);
    moveMouse(FREE_CELL);
    EXPECT_EQ(p_cursor->getPosition(), FREE_CELL);
    EXPECT_EQ(p_cursor->getSpriteIndex(), 2);
    step(3);
    EXPECT_EQ(p_cursor->getSpriteIndex(), 2);
    // The reticle, a layer higher, covers the cursor's cell.
    EXPECT_EQ(shown(FREE_CELL.getY()).substr(FREE_CELL.getX(), 1), "+");

    click(FREE_CELL);
    ASSERT_EQ(objectsOfType<Turret>("Gatling").size(), 1u);
    EXPECT_EQ(objectsOfType<Turret>("Gatling").at(0)->getPosition(), FREE_CELL);
    EXPECT_EQ(counter("Currency:"), 0);
    step();
    EXPECT_TRUE(objectsOf<Build>().empty());
    EXPECT_EQ(shown(1).substr(49, 13), "|Currency: 0|");
}

TEST_F(Building, AClickOnABlockedPlaceCancelsWithoutCharge)
{
    setCounter("Currency:", 1000);
    new Gatling(Position(40, 20));
    new EnemyEasy(50);
    struct Case {
        const char* what;
        Position cell;
    };
    // The enemy comes first: it leaves its start with its third step.
    const Case cases[] = {
        {"an enemy", ENEMY_START},
        {"a block of the track", BLOCK_CELL},
        {"the cell beside a block", Position(BLOCK_CELL.getX() + 1, BLOCK_CELL.getY())},
        {"the treasure", SHORT_TREASURE},
        {"a turret", Position(40, 20)},
        {"the row below the last panel, outside its click area", Position(70, 18)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        click(GATLING_PANEL);
        ASSERT_EQ(objectsOf<Build>().size(), 1u);
        Build* p_cursor = objectsOf<Build>().at(0);
        moveMouse(c.cell);
        step();
        EXPECT_EQ(p_cursor->getSpriteIndex(), 1);
        click(c.cell);
        step();
        EXPECT_TRUE(objectsOf<Build>().empty());
        EXPECT_EQ(turrets(), std::vector<std::string>{"Gatling"});
        EXPECT_EQ(counter("Currency:"), 1000);
    }
}

TEST_F(Building, EachKindCostsItsPrice)
{
    struct Case {
        Position panel;
        int currency;
        const char* cursor;
        const char* turret;
    };
    const Case cases[] = {
        {GATLING_PANEL, 100, "GatlingBuild", "Gatling"},
        {ROCKET_PANEL, 300, "RocketBuild", "Rocket"},
        {FREEZE_PANEL, 600, "FreezeBuild", "Freeze"},
    };
    int placed = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.turret);
        setCounter("Currency:", c.currency);
        click(c.panel);
        ASSERT_EQ(objectsOf<Build>().size(), 1u);
        EXPECT_EQ(objectsOf<Build>().at(0)->getType(), c.cursor);
        EXPECT_EQ(objectsOf<Build>().at(0)->getPrice(), c.currency);
        const Position cell(FREE_CELL.getX() + 4 * placed++, FREE_CELL.getY());
        moveMouse(cell);
        click(cell);
        step();
        EXPECT_EQ(objectsOf<Turret>().back()->getType(), c.turret);
        EXPECT_EQ(objectsOf<Turret>().back()->getPosition(), cell);
        EXPECT_EQ(counter("Currency:"), 0);
        EXPECT_EQ(shown(1).substr(49, 13), "|Currency: 0|");
    }
    EXPECT_EQ(turrets(), (std::vector<std::string>{"Gatling", "Rocket", "Freeze"}));
}

TEST_F(Building, TwoClicksOnAPanelLeaveOneCursorAndChargeNothing)
{
    click(GATLING_PANEL);
    Build* p_first = objectsOf<Build>().at(0);
    click(GATLING_PANEL);
    step();
    ASSERT_EQ(objectsOf<Build>().size(), 1u);
    EXPECT_NE(objectsOf<Build>().at(0), p_first);
    EXPECT_TRUE(turrets().empty());
    EXPECT_EQ(counter("Currency:"), 100);
}

TEST_F(Building, AClickOnAnotherPanelSwapsTheCursor)
{
    setCounter("Currency:", 600);
    click(GATLING_PANEL);
    moveMouse(FREEZE_PANEL);
    click(FREEZE_PANEL);
    step();
    ASSERT_EQ(objectsOf<Build>().size(), 1u);
    EXPECT_EQ(objectsOf<Build>().at(0)->getType(), "FreezeBuild");
    EXPECT_EQ(objectsOf<Build>().at(0)->getPosition(), Position(64, 12));
    EXPECT_TRUE(turrets().empty());
    EXPECT_EQ(counter("Currency:"), 600);
}

// The panel compares the currency before the old cursor charges it.
TEST_F(Building, ACurrencyCanFallBelowZeroBesideAPanel)
{
    const Position beside_panel(79, 3);
    click(GATLING_PANEL);
    moveMouse(beside_panel);
    step();
    EXPECT_EQ(objectsOf<Build>().at(0)->getSpriteIndex(), 2);
    click(beside_panel);
    step();
    EXPECT_EQ(turrets(), std::vector<std::string>{"Gatling"});
    EXPECT_EQ(counter("Currency:"), 0);
    ASSERT_EQ(objectsOf<Build>().size(), 1u);

    moveMouse(FREE_CELL);
    click(FREE_CELL);
    step();
    EXPECT_EQ(turrets(), (std::vector<std::string>{"Gatling", "Gatling"}));
    EXPECT_EQ(counter("Currency:"), -100);
}

TEST_F(Building, ReticleStartsInTheMiddleAndFollowsMovesOnly)
{
    Reticle* p_reticle = objectsOf<Reticle>().at(0);
    EXPECT_EQ(p_reticle->getType(), "Reticle");
    EXPECT_EQ(p_reticle->getPosition(), Position(40, 12));
    EXPECT_EQ(p_reticle->getSolidness(), zp::SPECTRAL);
    EXPECT_EQ(p_reticle->getAltitude(), 5);
    step();
    EXPECT_EQ(shown(12).substr(40, 1), "+");

    click(Position(3, 3));
    EXPECT_EQ(p_reticle->getPosition(), Position(40, 12));
    zp::EventMouse held;
    held.setMouseAction(zp::PRESSED);
    held.setMousePosition(Position(4, 4));
    zp::WorldManager::getInstance().onEvent(&held);
    EXPECT_EQ(p_reticle->getPosition(), Position(40, 12));

    moveMouse(Position(7, 9));
    EXPECT_EQ(p_reticle->getPosition(), Position(7, 9));
    step();
    EXPECT_EQ(shown(9).substr(7, 1), "+");
    EXPECT_EQ(shown(12).substr(40, 1), " ");
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    graphics.swapBuffers();
    p_reticle->draw();
    EXPECT_EQ(graphics.getDrawnColor(Position(7, 9)), zp::RED);
}

// A cursor the size of the shipped ones: three cells by three.
const char* const WIDE_CURSOR = "frames 3\nwidth 3\nheight 3\ncolor "
                                "green\nnnn\nnnn\nnnn\nend\nxxx\nxxx\nxxx\nend\nmmm\nmmm\nmmm\nend\neof\n";

// A turret must stand wholly on the playing field: not hanging off the
// board's edges, not over the counters' rows. Such places are refused like a
// blocked one, and look blocked while the cursor stands there.
TEST_F(Building, APlaceOffTheFieldIsRefusedLikeABlockedOne)
{
    zp::ResourceManager& resources = zp::ResourceManager::getInstance();
    ASSERT_EQ(resources.unloadSprite("gatling-build"), 0);
    ASSERT_EQ(resources.loadSprite(zp::test::writeFile("wide-cursor.txt", WIDE_CURSOR), "gatling-build"), 0);
    setCounter("Currency:", 1000);
    const struct {
        const char* what;
        Position cell;
        bool placed;
    } cases[] = {
        {"hanging off the right edge", {78, 20}, false},
        {"off the right edge", {80, 20}, false},
        {"hanging off the bottom edge", {40, 22}, false},
        {"hanging off the left edge", {-1, 20}, false},
        {"over the lives counter", {4, 1}, false},
        {"in the counters' rows between two counters", {20, 0}, false},
        {"touching the counters' lower frame", {50, 2}, false},
        {"in the bottom right corner", {77, 21}, true},
        {"in the bottom left corner", {0, 21}, true},
        {"just under the counters", {20, 3}, true},
        // Any int may come as a position: no sum may overflow.
        {"at the largest position", {INT_MAX, INT_MAX}, false},
        {"at the largest column", {INT_MAX, 20}, false},
        {"at the largest row", {20, INT_MAX}, false},
        {"at the smallest position", {INT_MIN, INT_MIN}, false},
        {"at the smallest column", {INT_MIN, 20}, false},
    };
    int turrets_placed = 0;
    int currency = 1000;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        click(GATLING_PANEL);
        ASSERT_EQ(objectsOf<Build>().size(), 1u);
        Build* p_cursor = objectsOf<Build>().at(0);
        moveMouse(c.cell);
        EXPECT_EQ(p_cursor->fitsPlayingField(c.cell), c.placed);
        EXPECT_EQ(p_cursor->getSpriteIndex(), c.placed ? BUILD_FRAME_MOVING : BUILD_FRAME_BLOCKED);
        click(c.cell);
        step();
        EXPECT_TRUE(objectsOf<Build>().empty()) << "the purchase ends either way";
        if (c.placed) {
            ++turrets_placed;
            currency -= 100;
        }
        EXPECT_EQ(int(turrets().size()), turrets_placed);
        EXPECT_EQ(counter("Currency:"), currency);
    }
}

// The right button sells turrets: buying and placing answer only the others.
TEST_F(Building, RightClicksNeitherBuyNorPlace)
{
    rightClick(GATLING_PANEL);
    step();
    EXPECT_TRUE(objectsOf<Build>().empty());

    click(GATLING_PANEL);
    moveMouse(FREE_CELL);
    rightClick(FREE_CELL);
    step();
    ASSERT_EQ(objectsOf<Build>().size(), 1u) << "the cursor is still carried";
    EXPECT_TRUE(turrets().empty());
    EXPECT_EQ(counter("Currency:"), 100);

    mouse(zp::CLICKED, FREE_CELL, 2);
    step();
    EXPECT_EQ(turrets(), std::vector<std::string>{"Gatling"}) << "the middle button places, as before";
}

// While paused the board takes no clicks: the cursor would not leave before
// the next update and could place twice.
TEST_F(Building, ClicksWaitForTheEndOfAPause)
{
    zp::GameManager& game = zp::GameManager::getInstance();
    game.setPaused(true);
    click(GATLING_PANEL);
    step();
    EXPECT_TRUE(objectsOf<Build>().empty());

    game.setPaused(false);
    click(GATLING_PANEL);
    game.setPaused(true);
    moveMouse(FREE_CELL);
    click(FREE_CELL);
    click(FREE_CELL);
    step();
    EXPECT_TRUE(turrets().empty());
    ASSERT_EQ(objectsOf<Build>().size(), 1u);
    EXPECT_EQ(objectsOf<Build>().at(0)->getPosition(), FREE_CELL) << "moves still carry it";

    game.setPaused(false);
    click(FREE_CELL);
    step();
    EXPECT_EQ(turrets(), std::vector<std::string>{"Gatling"});
    EXPECT_EQ(counter("Currency:"), 0);
}

// What reaches the cursors of a counted panel.
struct CursorWork {
    long events = 0;
    int made = 0;
    int destroyed = 0;
};
CursorWork cursor_work;

class CountedCursor : public GatlingBuild {
public:
    explicit CountedCursor(Position p) : GatlingBuild(p) { ++cursor_work.made; }
    ~CountedCursor() override { ++cursor_work.destroyed; }
    int eventHandler(const zp::Event* p_e) override
    {
        ++cursor_work.events;
        return GatlingBuild::eventHandler(p_e);
    }
};

// The Gatling panel, with cursors that count their work.
class CountedPanel : public GatlingInfo {
public:
    void createBuild(Position p) override { new CountedCursor(p); }
};

// Each click on a panel makes a cursor and ends the one before: a flood of
// clicks in one frame (a recording can hold any number at one step) must
// cost work in proportion to the clicks. A cursor whose purchase has ended
// takes no further clicks.
class FloodOfClicks : public Play {
protected:
    void SetUp() override
    {
        Play::SetUp();
        loadPlaySprites();
        cursor_work = CursorWork();
        new CurrencyView(Position(55, 1));
        new CountedPanel;
    }

    void TearDown() override
    {
        zp::InputManager::getInstance().setReplayer(nullptr);
        Play::TearDown();
    }
};

TEST_F(FloodOfClicks, ClicksOnAPanelAtOneStepCostWorkInProportionToTheClicks)
{
    for (int clicks : {1, 2, 300}) {
        SCOPED_TRACE(std::to_string(clicks) + " clicks");
        cursor_work = CursorWork();
        zp::GameManager& game = zp::GameManager::getInstance();
        const int now = game.getStepCount();
        zp::InputRecording flood;
        for (int i = 0; i < clicks; ++i)
            flood.addMouse(now, zp::CLICKED, 0, GATLING_PANEL);
        flood.setEndStep(now + 1);
        zp::InputReplayer replayer(flood);
        zp::InputManager::getInstance().setReplayer(&replayer);
        game.setGameOver(false);
        game.frame();
        zp::InputManager::getInstance().setReplayer(nullptr);
        ASSERT_EQ(replayer.getSentCount(), size_t(clicks));

        // One cursor is left, standing on its panel; nothing was charged.
        ASSERT_EQ(objectsOf<Build>().size(), 1u);
        EXPECT_EQ(cursor_work.made, clicks);
        EXPECT_EQ(cursor_work.destroyed, clicks - 1) << "the others were deleted at the frame's update";
        EXPECT_EQ(counter("Currency:"), 100);
        EXPECT_TRUE(objectsOf<Turret>().empty());
        // Each cursor heard the one click that ended it; the last one its step
        // and the collision with its panel.
        EXPECT_LE(cursor_work.events, clicks - 1 + 4);
        zp::WorldManager::getInstance().markForDelete(objectsOf<Build>().at(0));
        step();
    }
}

class BuildingWithoutSprites : public Play {};

TEST_F(BuildingWithoutSprites, CursorsAreLoggedAndStillPlaceTheirTurrets)
{
    loadSprite("block.txt", "Block");
    loadBoard("short");
    new CurrencyView(Position(55, 1));
    setCounter("Currency:", 1000);
    struct Case {
        const char* turret;
        const char* warning;
    };
    const Case cases[] = {
        {"Gatling", "GatlingBuild::GatlingBuild(): Warning! Sprite 'gatling-build' not found"},
        {"Rocket", "RocketBuild::RocketBuild(): Warning! Sprite 'rocket-build' not found"},
        {"Freeze", "FreezeBuild::FreezeBuild(): Warning! Sprite 'FreezeBuild' not found"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.turret);
        Build* p_cursor =
            std::string(c.turret) == "Gatling"  ? static_cast<Build*>(new GatlingBuild(FREE_CELL))
            : std::string(c.turret) == "Rocket" ? static_cast<Build*>(new RocketBuild(FREE_CELL))
                                                : static_cast<Build*>(new FreezeBuild(FREE_CELL));
        EXPECT_TRUE(logHas(c.warning));
        EXPECT_EQ(p_cursor->getSprite(), nullptr);
        EXPECT_EQ(p_cursor->getBox().getHorizontal(), 1);

        // Blocked on the track, free beside it.
        moveMouse(BLOCK_CELL);
        step();
        EXPECT_EQ(p_cursor->getSpriteIndex(), 1);
        const Position cell(10 + 5 * n++, 20);
        moveMouse(cell);
        click(cell);
        step();
        EXPECT_EQ(objectsOf<Turret>().back()->getType(), c.turret);
        EXPECT_EQ(objectsOf<Turret>().back()->getPosition(), cell);
        EXPECT_TRUE(objectsOf<Build>().empty());
    }
    EXPECT_EQ(counter("Currency:"), 1000 - 100 - 300 - 600);
}

} // namespace
