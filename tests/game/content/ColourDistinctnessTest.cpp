// The colours that tell things apart in play (the three turret kinds, the
// states of an enemy's health bar, the panels the currency covers and those
// it does not) stay apart for colour-blind eyes in the colour-blind palette:
// under simulated deuteranopia and protanopia (Machado et al. 2009, full
// severity) every two colours of a group are at least MINIMUM_DISTANCE
// apart in CIE 1976 Delta E*ab. The colours are read from what the game
// draws, with the shipped data set.
#include "PlayHarness.h"
#include "content/Resources.h"
#include "enemies/EnemyEasy.h"
#include "play/WavesGame.h"
#include "support/ColourVision.h"
#include "turrets/TurretKinds.h"

#include "zp/Palette.h"
#include "zp/Sprite.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace play;
using zp::Position;

namespace {

// Well above the just noticeable difference (about 2.3): colours a player
// must tell apart at a glance, as categories, not side by side.
const double MINIMUM_DISTANCE = 30.0;

struct Group {
    std::string name;
    std::vector<zp::Color> colors;
};

struct Vision {
    const char* name;
    zp::test::Matrix3 matrix;
};

const Vision DEFICIENCIES[] = {{"deuteranopia", zp::test::DEUTERANOPIA},
                               {"protanopia", zp::test::PROTANOPIA}};

// The smallest distance between two colours of the group under the vision.
double closestPair(const Group& group, const zp::Palette& palette, const zp::test::Matrix3& vision,
                   std::string& which)
{
    double closest = 1e9;
    for (size_t i = 0; i < group.colors.size(); ++i)
        for (size_t j = i + 1; j < group.colors.size(); ++j) {
            const double d = zp::test::seenDistance(palette.colorOf(group.colors[i]),
                                                    palette.colorOf(group.colors[j]), vision);
            if (d < closest) {
                closest = d;
                which = std::to_string(group.colors[i]) + " and " + std::to_string(group.colors[j]);
            }
        }
    return closest;
}

class ColourDistinctness : public Play {
protected:
    // What the game draws for each thing it tells apart by colour.
    std::vector<Group> drawnGroups()
    {
        std::vector<Group> groups;
        zp::ResourceManager& resources = zp::ResourceManager::getInstance();
        Group kinds{"turret kinds", {}};
        for (const TurretKind* p_kind : SHIPPED_TURRET_KINDS)
            kinds.colors.push_back(resources.getSprite(p_kind->turret_sprite)->getColor());
        groups.push_back(kinds);

        zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
        new WavesGame(levelFile("short"), pathFile("short"));
        // An enemy at full health, at half and at a tenth; its bar is drawn
        // in the row above it, from one column left.
        Group bar{"health bar", {}};
        for (int health : {100, 50, 10}) {
            Enemy* p_enemy = new EnemyEasy(100);
            p_enemy->takeDamage(100 - health);
            graphics.swapBuffers();
            p_enemy->draw();
            bar.colors.push_back(
                graphics.getDrawnColor(Position(ENEMY_START.getX(), ENEMY_START.getY() - 1)));
            zp::WorldManager::getInstance().markForDelete(p_enemy);
        }
        groups.push_back(bar);

        // With 100, the Gatling's panel is covered and the Rocket's is not:
        // their keys stand in their top borders.
        graphics.swapBuffers();
        zp::WorldManager::getInstance().draw();
        groups.push_back(
            {"panels covered and not",
             {graphics.getDrawnColor(Position(65, 0)), graphics.getDrawnColor(Position(65, 6))}});
        return groups;
    }
};

TEST_F(ColourDistinctness, TheColoursThatTellThingsApartStayApartForColourBlindEyes)
{
    loadResources();
    const std::vector<Group> groups = drawnGroups();
    bool default_falls_short = false;
    for (const Group& group : groups) {
        SCOPED_TRACE(group.name);
        ASSERT_EQ(group.colors.size(), group.name == "panels covered and not" ? 2u : 3u);
        for (const Vision& vision : DEFICIENCIES) {
            SCOPED_TRACE(vision.name);
            std::string which;
            const double seen = closestPair(group, zp::colourBlindPalette(), vision.matrix, which);
            EXPECT_GE(seen, MINIMUM_DISTANCE) << "colours " << which;
            default_falls_short |=
                closestPair(group, zp::defaultPalette(), vision.matrix, which) < MINIMUM_DISTANCE;
        }
        // And for every eye, in every palette.
        for (const zp::Palette* p_palette : zp::builtInPalettes()) {
            std::string which;
            EXPECT_GE(closestPair(group, *p_palette, zp::test::NORMAL_VISION, which), MINIMUM_DISTANCE)
                << p_palette->name << ": colours " << which;
        }
    }
    // Which is why the palette is there.
    EXPECT_TRUE(default_falls_short);
}

} // namespace
