// A kind of turret is one row and its sprites: a kind that the game does not
// ship, declared here alone, is sold at a panel of its own, placed, fires
// with its row's numbers, sound and freeze, and is sold back.
#include "PlayHarness.h"
#include "content/DataPaths.h"
#include "content/Resources.h"
#include "enemies/EnemyEasy.h"
#include "play/WavesGame.h"
#include "shop/Build.h"
#include "shop/Info.h"
#include "turrets/Turret.h"
#include "turrets/TurretKinds.h"

#include <gtest/gtest.h>

#include <string>

using namespace play;
using zp::Position;

namespace {

// clang-format off
const TurretKind LANCE_KIND = {
    /* types */                       "Lance", "LanceBuild", "LanceInfo",
    /* turret sprite, file, warning */"lance", "kinds/lance-spr.txt", "lance",
    /* cursor sprite, file, warning */"lance-build", "kinds/lance-build-spr.txt", "lance-build",
    /* panel sprite, file */          "lance-select", "kinds/lance-info-spr.txt",
    /* sound, file */                 "lance-hum", "audio/beep.wav",
    /* price */                       200,
    /* range, damage, rate, freeze */ {25, 12, 6, 5},
    /* upgrades: cost, numbers */     {{{150, {25, 18, 6, 5}}, {250, {30, 24, 6, 5}}}},
};
// clang-format on

const Position LANCE_PANEL_CLICK(66, 20);
// Three rows below the long board's path, which runs along row 10.
const Position LANCE_CELL(20, 13);

class TurretKinds : public Play {
protected:
    void TearDown() override
    {
        setGameDataDir("");
        Play::TearDown();
        unloadAudio({LANCE_KIND.sound});
    }
};

TEST_F(TurretKinds, AKindDeclaredInOneRowIsBoughtPlacedFiredAndSold)
{
    loadPlaySprites();
    setGameDataDir(zp::test::fixture(""));
    loadTurretKindResources(LANCE_KIND);
    zp::ResourceManager& resources = zp::ResourceManager::getInstance();
    for (const char* label : {"lance", "lance-build", "lance-select"})
        ASSERT_NE(resources.getSprite(label), nullptr) << label;
    ASSERT_NE(resources.getSound("lance-hum"), nullptr);

    new WavesGame(levelFile("long"), pathFile("long"),
                  {&GATLING_KIND, &ROCKET_KIND, &FREEZE_KIND, &LANCE_KIND});
    const std::vector<Info*> lance_panels = objectsOfType<Info>("LanceInfo");
    ASSERT_EQ(lance_panels.size(), 1u);
    EXPECT_EQ(lance_panels[0]->getPosition(), Position(64, 18));
    EXPECT_EQ(lance_panels[0]->getSprite(), resources.getSprite("lance-select"));
    step();
    EXPECT_EQ(shown(19).substr(64, 12), "|  LANCE   |");

    // Too poor: the click is refused; with the price, the cursor comes.
    setCounter("Currency:", 199);
    click(LANCE_PANEL_CLICK);
    EXPECT_TRUE(objectsOf<Build>().empty());
    setCounter("Currency:", 500);
    click(LANCE_PANEL_CLICK);
    const std::vector<Build*> cursors = objectsOfType<Build>("LanceBuild");
    ASSERT_EQ(cursors.size(), 1u);
    EXPECT_EQ(cursors[0]->getSprite(), resources.getSprite("lance-build"));
    EXPECT_EQ(cursors[0]->getPrice(), 200);
    moveMouse(LANCE_CELL);
    click(LANCE_CELL);
    step();
    const std::vector<Turret*> lances = objectsOfType<Turret>("Lance");
    ASSERT_EQ(lances.size(), 1u);
    Turret* p_lance = lances[0];
    EXPECT_EQ(p_lance->getPosition(), LANCE_CELL);
    EXPECT_EQ(p_lance->getSprite(), resources.getSprite("lance"));
    EXPECT_EQ(counter("Currency:"), 300);

    // An enemy in its range: the shot on the turret's second step takes the
    // row's damage, freezes the enemy and is heard.
    auto* p_enemy = new EnemyEasy(1000);
    p_enemy->setPosition(Position(20, 10));
    ASSERT_FALSE(anySourcePlaying());
    step(2);
    EXPECT_EQ(p_enemy->getHealth(), 1000 - 12);
    EXPECT_TRUE(p_enemy->isFrozen());
    EXPECT_TRUE(anySourcePlaying());
    EXPECT_EQ(p_lance->getSpriteIndex(), 0) << "aims up at the enemy";
    // The row's freeze lasts five steps.
    step(5);
    EXPECT_FALSE(p_enemy->isFrozen());
    EXPECT_EQ(p_enemy->getHealth(), 1000 - 2 * 12);

    // Sold for half its price.
    rightClick(LANCE_CELL);
    step();
    EXPECT_TRUE(objectsOfType<Turret>("Lance").empty());
    EXPECT_EQ(counter("Currency:"), 400);
}

} // namespace
