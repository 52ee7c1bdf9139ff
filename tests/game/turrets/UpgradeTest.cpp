// Upgrades: two levels above the base, bought through the currency counter at
// the costs of the kind's row, refused like an unaffordable panel; a sale
// gives back half of everything spent. U buys for the turret under the
// pointer, whose line (cost and effect of the next level) takes the bottom row.
#include "PlayHarness.h"
#include "enemies/EnemyEasy.h"
#include "hud/CurrencyView.h"
#include "play/PlayControls.h"
#include "play/WavesGame.h"
#include "turrets/Freeze.h"
#include "turrets/Gatling.h"
#include "turrets/Rocket.h"
#include "turrets/Turret.h"
#include "turrets/TurretSummary.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <string>

using namespace play;
using zp::Position;

namespace {

const Position TURRET_CELL(30, 8);

Turret* makeTurret(const TurretKind& kind, Position p)
{
    if (&kind == &GATLING_KIND)
        return new Gatling(p);
    if (&kind == &ROCKET_KIND)
        return new Rocket(p);
    return new Freeze(p);
}

std::string trimmed(const std::string& row)
{
    return row.substr(0, row.find_last_not_of(' ') + 1);
}

TurretStats statsOf(const Turret& turret)
{
    return {turret.getRange(), turret.getDamage(), turret.getFireRate(), turret.getFreezeSteps()};
}

bool operator==(const TurretStats& a, const TurretStats& b)
{
    return a.range == b.range && a.damage == b.damage && a.fire_rate == b.fire_rate &&
           a.freeze_steps == b.freeze_steps;
}

class Upgrades : public Play {
protected:
    void SetUp() override
    {
        Play::SetUp();
        loadPlaySprites();
        new CurrencyView(Position(55, 1));
    }
};

TEST_F(Upgrades, EachLevelTakesTheRowsNumbersAndCostAndASaleReturnsHalfOfAll)
{
    for (const TurretKind* p_kind : SHIPPED_TURRET_KINDS) {
        SCOPED_TRACE(p_kind->turret_type);
        setCounter("Currency:", 5000);
        Turret* p_turret = makeTurret(*p_kind, TURRET_CELL);
        EXPECT_TRUE(statsOf(*p_turret) == p_kind->base);
        int currency = 5000;
        int spent = p_kind->price;
        for (int level = 1; level <= TURRET_UPGRADE_LEVELS; ++level) {
            const TurretUpgrade& row = p_kind->upgrades[std::size_t(level - 1)];
            ASSERT_EQ(p_turret->nextUpgrade(), &row);
            EXPECT_TRUE(p_turret->upgrade());
            currency -= row.cost;
            spent += row.cost;
            EXPECT_EQ(p_turret->getUpgradeLevel(), level);
            EXPECT_TRUE(statsOf(*p_turret) == row.stats);
            EXPECT_EQ(counter("Currency:"), currency);
            EXPECT_EQ(p_turret->getSpent(), spent);
        }
        // The top: nothing more to buy.
        EXPECT_EQ(p_turret->nextUpgrade(), nullptr);
        EXPECT_FALSE(p_turret->upgrade());
        EXPECT_EQ(counter("Currency:"), currency);

        p_turret->sell();
        EXPECT_EQ(counter("Currency:"), currency + spent / 2);
        step();
    }
}

TEST_F(Upgrades, AnUpgradeThatCannotBePaidForOrComesAtTheWrongTimeIsRefused)
{
    const int cost = GATLING_KIND.upgrades[0].cost;
    Turret* p_turret = new Gatling(TURRET_CELL);
    const struct {
        const char* when;
        int currency;
        bool paused;
    } refused[] = {{"one short", cost - 1, false},
                   {"nothing", 0, false},
                   {"in debt", -50, false},
                   {"paused", cost, true}};
    for (const auto& c : refused) {
        SCOPED_TRACE(c.when);
        setCounter("Currency:", c.currency);
        zp::GameManager::getInstance().setPaused(c.paused);
        EXPECT_FALSE(p_turret->upgrade());
        EXPECT_EQ(p_turret->getUpgradeLevel(), 0);
        EXPECT_TRUE(statsOf(*p_turret) == GATLING_KIND.base);
        EXPECT_EQ(counter("Currency:"), c.currency);
    }
    zp::GameManager::getInstance().setPaused(false);

    // Exactly the cost will do.
    setCounter("Currency:", cost);
    EXPECT_TRUE(p_turret->upgrade());
    EXPECT_EQ(counter("Currency:"), 0);

    // A sold turret, or one of no kind, buys nothing.
    setCounter("Currency:", 5000);
    p_turret->sell();
    const int after_sale = counter("Currency:");
    EXPECT_FALSE(p_turret->upgrade());
    auto* p_bare = new Turret;
    EXPECT_EQ(p_bare->nextUpgrade(), nullptr);
    EXPECT_FALSE(p_bare->upgrade());
    EXPECT_EQ(counter("Currency:"), after_sale);
}

TEST_F(Upgrades, WithoutACurrencyCounterNothingIsBought)
{
    for (zp::ViewObject* p_view : objectsOf<zp::ViewObject>())
        zp::WorldManager::getInstance().markForDelete(p_view);
    step();
    Turret* p_turret = new Gatling(TURRET_CELL);
    EXPECT_FALSE(p_turret->upgrade());
    EXPECT_EQ(p_turret->getUpgradeLevel(), 0);
}

// The new numbers are the ones the next shots use.
TEST_F(Upgrades, TheShotsAfterAnUpgradeUseItsNumbers)
{
    setCounter("Currency:", 5000);
    Turret* p_gatling = new Gatling(TURRET_CELL);
    Turret* p_freeze = new Freeze(Position(TURRET_CELL.getX(), TURRET_CELL.getY() + 6));
    p_gatling->upgrade();
    p_freeze->upgrade();
    auto* p_enemy = new EnemyEasy(1000);
    p_enemy->setPosition(Position(TURRET_CELL.getX() + 2, TURRET_CELL.getY() + 3));
    step(2);
    EXPECT_EQ(p_enemy->getHealth(), 1000 - GATLING_KIND.upgrades[0].stats.damage);
    ASSERT_TRUE(p_enemy->isFrozen());
    int frozen_for = 0;
    while (p_enemy->isFrozen() && frozen_for < 100) {
        step();
        ++frozen_for;
    }
    // Frozen in the second step, counted from the third on.
    EXPECT_EQ(frozen_for + 1, FREEZE_KIND.upgrades[0].stats.freeze_steps);
}

TEST_F(Upgrades, EffectsNameWhatChanges)
{
    EXPECT_EQ(upgradeEffect({20, 5, 2, 0}, {20, 8, 2, 0}), "dmg 5>8");
    EXPECT_EQ(upgradeEffect({10, 0, 20, 20}, {14, 0, 16, 30}), "rng 10>14 rate 20>16 frz 20>30");
    EXPECT_EQ(upgradeEffect({10, 0, 20, 20}, {10, 0, 20, 20}), "no change");
}

class UpgradeKey : public Play {
protected:
    void SetUp() override
    {
        Play::SetUp();
        loadPlaySprites();
        new WavesGame(levelFile("long"), pathFile("long"));
    }
};

// U on the turret under the pointer buys its next level; the level shows
// under the mode's place beside the turret, and the bottom row tells what the
// next level costs and gives, and what a sale returns.
TEST_F(UpgradeKey, UUpgradesTheTurretUnderThePointerAndTheBottomRowTellsTheNext)
{
    Turret* p_turret = new Gatling(Position(20, 15));
    setCounter("Currency:", 150);
    moveMouse(Position(20, 15));
    step();
    EXPECT_EQ(trimmed(shown(23)), "Gatling Lv0 aim first (T) | U 100: dmg 5>8 | sell 50");
    EXPECT_EQ(shown(16)[21], ' ');

    key(sf::Keyboard::U, zp::KEY_PRESSED);
    step();
    EXPECT_EQ(p_turret->getUpgradeLevel(), 1);
    EXPECT_EQ(counter("Currency:"), 50);
    EXPECT_EQ(shown(16)[21], '1');
    EXPECT_EQ(trimmed(shown(23)), "Gatling Lv1 aim first (T) | U 200: dmg 8>11 | sell 100");

    // Too little for the next: refused, like a panel the currency does not cover.
    key(sf::Keyboard::U, zp::KEY_PRESSED);
    EXPECT_EQ(p_turret->getUpgradeLevel(), 1);
    EXPECT_EQ(counter("Currency:"), 50);

    // Held or released, U buys nothing; off the turret the row shows the wave to come.
    setCounter("Currency:", 1000);
    key(sf::Keyboard::U, zp::KEY_DOWN);
    key(sf::Keyboard::U, zp::KEY_RELEASED);
    moveMouse(Position(22, 15));
    key(sf::Keyboard::U, zp::KEY_PRESSED);
    step();
    EXPECT_EQ(p_turret->getUpgradeLevel(), 1);
    EXPECT_EQ(shown(23).substr(0, 12), "Next wave 1:");

    moveMouse(Position(20, 15));
    key(sf::Keyboard::U, zp::KEY_PRESSED);
    key(sf::Keyboard::T, zp::KEY_PRESSED);
    step();
    EXPECT_EQ(p_turret->getUpgradeLevel(), 2);
    EXPECT_EQ(shown(16)[21], '2');
    EXPECT_EQ(shown(15)[21], 'C');
    EXPECT_EQ(trimmed(shown(23)), "Gatling Lv2 aim closest (T) | top level | sell 200");
}

// Whatever the kind, level and mode, the line fits the board.
TEST_F(UpgradeKey, EveryTurretsLineFitsTheBoard)
{
    setCounter("Currency:", 100000);
    for (const TurretKind* p_kind : SHIPPED_TURRET_KINDS) {
        Turret* p_turret = makeTurret(*p_kind, TURRET_CELL);
        for (int level = 0; level <= TURRET_UPGRADE_LEVELS; ++level) {
            for (int mode = 0; mode < 5; ++mode) {
                EXPECT_LE(turretSummary(*p_turret).size(), 80u) << turretSummary(*p_turret);
                p_turret->cycleTargetMode();
            }
            p_turret->upgrade();
        }
        p_turret->sell();
        step();
    }
}

} // namespace
