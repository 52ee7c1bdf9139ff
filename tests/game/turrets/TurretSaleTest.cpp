// Selling a turret with a right click: half its price back through the
// currency counter, the sale heard, and nothing from any other click.
#include "PlayHarness.h"
#include "hud/CurrencyView.h"
#include "turrets/Freeze.h"
#include "turrets/Gatling.h"
#include "turrets/Rocket.h"
#include "turrets/Turret.h"

#include "zp/Sound.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using namespace play;
using zp::Position;

namespace {

// A turret three cells wide and two high, standing at CORNER.
const Position CORNER(30, 8);
const char* const WIDE_TURRET = "frames 1\nwidth 3\nheight 2\ncolor cyan\n/o\\\n|_|\nend\neof\n";

class TurretSale : public Play {
protected:
    void SetUp() override
    {
        Play::SetUp();
        const std::string file = zp::test::writeFile("wide.txt", WIDE_TURRET);
        for (const char* label : TURRET_LABELS)
            ASSERT_EQ(zp::ResourceManager::getInstance().loadSprite(file, label), 0);
        loadSound("explosion");
        new CurrencyView(Position(55, 1));
    }
};

TEST_F(TurretSale, ARightClickOnAnyCellOfATurretSellsItForHalfItsPrice)
{
    const struct {
        const char* kind;
        Position clicked; // relative to the turret's corner
        int refund;
    } cases[] = {
        {"Gatling", {0, 0}, 50}, {"Rocket", {2, 1}, 150}, {"Freeze", {1, 1}, 300}, {"Gatling", {2, 0}, 50}};
    int currency = counter("Currency:");
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " at +" + std::to_string(c.clicked.getX()) + ",+" +
                     std::to_string(c.clicked.getY()));
        Turret* p_turret = c.kind == std::string("Gatling")  ? static_cast<Turret*>(new Gatling(CORNER))
                           : c.kind == std::string("Rocket") ? static_cast<Turret*>(new Rocket(CORNER))
                                                             : static_cast<Turret*>(new Freeze(CORNER));
        EXPECT_EQ(p_turret->getPrice(), 2 * c.refund);
        step();
        ASSERT_FALSE(anySourcePlaying());
        rightClick(Position(CORNER.getX() + c.clicked.getX(), CORNER.getY() + c.clicked.getY()));
        EXPECT_TRUE(p_turret->isSold());
        currency += c.refund;
        EXPECT_EQ(counter("Currency:"), currency);
        EXPECT_TRUE(anySourcePlaying()) << "the sale is heard";
        step();
        EXPECT_TRUE(objectsOf<Turret>().empty());
        zp::ResourceManager::getInstance().getSound("explosion")->stop();
    }
}

TEST_F(TurretSale, OtherClicksAndClicksBesideDoNothing)
{
    auto* p_turret = new Gatling(CORNER);
    step();
    const struct {
        const char* what;
        int button;
        Position cell;
    } cases[] = {
        {"a left click on it", 0, CORNER},
        {"a middle click on it", 2, Position(CORNER.getX() + 1, CORNER.getY())},
        {"a right click beside it", 1, Position(CORNER.getX() + 3, CORNER.getY())},
        {"a right click below it", 1, Position(CORNER.getX(), CORNER.getY() + 2)},
        {"a right click left of it", 1, Position(CORNER.getX() - 1, CORNER.getY() + 1)},
        {"a right click above it", 1, Position(CORNER.getX() + 2, CORNER.getY() - 1)},
        // Any int may come as a cell: no difference may overflow.
        {"a right click at the smallest cell", 1, Position(INT_MIN, INT_MIN)},
        {"a right click at the largest cell", 1, Position(INT_MAX, INT_MAX)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        mouse(zp::CLICKED, c.cell, c.button);
        step();
        EXPECT_FALSE(p_turret->isSold());
        EXPECT_EQ(objectsOf<Turret>().size(), 1u);
        EXPECT_EQ(counter("Currency:"), CURRENCY_START);
        EXPECT_FALSE(anySourcePlaying());
    }
}

TEST_F(TurretSale, TwoRightClicksInOneFramePayOnce)
{
    new Rocket(CORNER);
    rightClick(CORNER);
    rightClick(CORNER);
    step();
    EXPECT_EQ(counter("Currency:"), CURRENCY_START + 150);
    EXPECT_TRUE(objectsOf<Turret>().empty());
}

TEST_F(TurretSale, NothingIsSoldWhileTheGameIsPaused)
{
    auto* p_turret = new Freeze(CORNER);
    zp::GameManager::getInstance().setPaused(true);
    rightClick(CORNER);
    step(3);
    EXPECT_FALSE(p_turret->isSold());
    EXPECT_EQ(counter("Currency:"), CURRENCY_START);

    zp::GameManager::getInstance().setPaused(false);
    rightClick(CORNER);
    step();
    EXPECT_EQ(counter("Currency:"), CURRENCY_START + 300);
    EXPECT_TRUE(objectsOf<Turret>().empty());
}

TEST_F(TurretSale, WithoutItsSoundTheSaleIsLoggedAndStillPays)
{
    zp::ResourceManager::getInstance().unloadSound("explosion");
    new Gatling(CORNER);
    rightClick(CORNER);
    step();
    EXPECT_TRUE(logHas("Gatling::sell(): Warning! Sound 'explosion' not found"));
    EXPECT_EQ(counter("Currency:"), CURRENCY_START + 50);
}

} // namespace
