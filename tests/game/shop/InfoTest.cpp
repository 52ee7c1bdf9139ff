#include "shop/Info.h"

#include "PlayHarness.h"
#include "play/WavesGame.h"
#include "screens/GameOver.h"
#include "shop/Build.h"
#include "shop/FreezeInfo.h"
#include "shop/GatlingInfo.h"
#include "shop/RocketInfo.h"
#include "turrets/Turret.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace play;
using zp::Position;

namespace {

void startGame()
{
    new WavesGame(levelFile("short"), pathFile("short"));
}

std::vector<std::string> cursors()
{
    std::vector<std::string> found;
    for (Build* p_cursor : objectsOf<Build>())
        found.push_back(p_cursor->getType());
    return found;
}

std::vector<int> panelFrames()
{
    std::vector<int> frames;
    for (Info* p_panel : objectsOf<Info>())
        frames.push_back(p_panel->getSpriteIndex());
    return frames;
}

class Panels : public Play {
protected:
    void SetUp() override
    {
        Play::SetUp();
        loadPlaySprites();
        startGame();
    }
};

TEST_F(Panels, StandInAColumnAndNumberAgainInTheNextGame)
{
    struct Expected {
        const char* type;
        const char* sprite;
        int price;
        Position place;
    };
    const Expected column[] = {
        {"GatlingInfo", "gatling-select", 100, Position(64, 0)},
        {"RocketInfo", "rocket-select", 300, Position(64, 6)},
        {"FreezeInfo", "freeze-select", 600, Position(64, 12)},
    };
    for (int game = 1; game <= 2; ++game) {
        SCOPED_TRACE("game " + std::to_string(game));
        const std::vector<Info*> panels = objectsOf<Info>();
        ASSERT_EQ(panels.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(panels[i]->getType(), column[i].type);
            EXPECT_EQ(panels[i]->getPanelIndex(), i);
            EXPECT_EQ(panels[i]->getPosition(), column[i].place);
            EXPECT_EQ(panels[i]->getPrice(), column[i].price);
            EXPECT_EQ(panels[i]->getSprite(), zp::ResourceManager::getInstance().getSprite(column[i].sprite));
            EXPECT_EQ(panels[i]->getSpriteSlowdown(), 0);
            EXPECT_EQ(panels[i]->getSolidness(), zp::HARD);
        }
        step();
        // The panel's key over its top border.
        EXPECT_EQ(shown(0).substr(64, 12), "+1---------+");
        EXPECT_EQ(shown(7).substr(64, 12), "|idle      |");
        EXPECT_EQ(shown(13).substr(64, 12), "|idle      |");

        key(sf::Keyboard::F, zp::KEY_PRESSED);
        step();
        ASSERT_EQ(worldCount(), 1);
        startGame();
    }
}

struct AreaCase {
    Position click;
    const char* cursor;
    std::vector<int> frames;
};

class PanelAreas : public Panels, public testing::WithParamInterface<AreaCase> {};

// Six rows from the panel's top, from its left column to the board's edge.
TEST_P(PanelAreas, AClickStartsThePurchaseOfThePanelUnderIt)
{
    setCounter("Currency:", 1000);
    // Every panel shows a started purchase before the click.
    for (Info* p_panel : objectsOf<Info>())
        p_panel->setSpriteIndex(1);
    click(GetParam().click);
    const std::vector<std::string> expected = GetParam().cursor[0] == '\0'
                                                  ? std::vector<std::string>{}
                                                  : std::vector<std::string>{GetParam().cursor};
    EXPECT_EQ(cursors(), expected);
    EXPECT_EQ(panelFrames(), GetParam().frames);
    if (!expected.empty()) {
        // The cursor stands on the panel that was clicked.
        const Position corner = objectsOf<Build>().at(0)->getPosition();
        EXPECT_EQ(corner.getX(), 64);
        EXPECT_EQ(corner.getY(), GetParam().click.getY() / 6 * 6);
    }
    EXPECT_EQ(counter("Currency:"), 1000);
}

INSTANTIATE_TEST_SUITE_P(Cells, PanelAreas,
                         testing::Values(AreaCase{Position(64, 0), "GatlingBuild", {1, 0, 0}},
                                         AreaCase{Position(79, 3), "GatlingBuild", {1, 0, 0}},
                                         AreaCase{Position(70, 5), "GatlingBuild", {1, 0, 0}},
                                         AreaCase{Position(63, 3), "", {0, 0, 0}},
                                         AreaCase{Position(70, 6), "RocketBuild", {0, 1, 0}},
                                         AreaCase{Position(79, 11), "RocketBuild", {0, 1, 0}},
                                         AreaCase{Position(64, 12), "FreezeBuild", {0, 0, 1}},
                                         AreaCase{Position(70, 17), "FreezeBuild", {0, 0, 1}},
                                         AreaCase{Position(70, 18), "", {0, 0, 0}},
                                         AreaCase{Position(10, 2), "", {0, 0, 0}}),
                         [](const testing::TestParamInfo<AreaCase>& param_info) {
                             return "at_" + std::to_string(param_info.param.click.getX()) + "_" +
                                    std::to_string(param_info.param.click.getY());
                         });

TEST_F(Panels, ThePriceDecidesWhetherAClickBuys)
{
    struct Case {
        int currency;
        Position panel;
        bool buys;
    };
    const Case cases[] = {
        {100, Position(66, 2), true},   {99, Position(66, 2), false},  {100, Position(66, 8), false},
        {299, Position(66, 8), false},  {300, Position(66, 8), true},  {100, Position(66, 14), false},
        {599, Position(66, 14), false}, {600, Position(66, 14), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.currency) + " at row " + std::to_string(c.panel.getY()));
        setCounter("Currency:", c.currency);
        click(Position(10, 20));
        step();
        click(c.panel);
        EXPECT_EQ(objectsOf<Build>().size(), c.buys ? 1u : 0u);
        const std::vector<int> frames = panelFrames();
        EXPECT_EQ(frames[size_t(c.panel.getY() / 6)], c.buys ? 1 : 0);
        // Nothing is taken until a turret is placed.
        EXPECT_EQ(counter("Currency:"), c.currency);
        for (Build* p_cursor : objectsOf<Build>())
            zp::WorldManager::getInstance().markForDelete(p_cursor);
        step();
    }
}

TEST_F(Panels, ShowAStartedPurchaseUntilTheNextClickElsewhere)
{
    click(Position(66, 2));
    EXPECT_EQ(panelFrames(), (std::vector<int>{1, 0, 0}));
    step(40);
    EXPECT_EQ(panelFrames(), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(shown(1).substr(64, 12), "|bought    |");
    moveMouse(Position(20, 5));
    EXPECT_EQ(panelFrames(), (std::vector<int>{1, 0, 0}));
    click(Position(20, 5));
    EXPECT_EQ(panelFrames(), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(objectsOf<Turret>().size(), 1u);
    step();
    EXPECT_EQ(shown(1).substr(64, 12), "|idle      |");
    // Too little currency now: a click on the panel changes nothing.
    click(Position(66, 2));
    EXPECT_EQ(panelFrames(), (std::vector<int>{0, 0, 0}));
    EXPECT_TRUE(objectsOf<Build>().empty());
}

// Each panel shows its digit key in its top border, in one colour while
// the currency covers its price and in another while it does not.
TEST_F(Panels, ShowTheirKeysColouredByWhetherTheCurrencyCoversThePrice)
{
    const struct {
        int currency;
        zp::Color gatling, rocket, freeze;
    } cases[] = {
        {100, PANEL_AFFORDABLE_COLOR, PANEL_UNAFFORDABLE_COLOR, PANEL_UNAFFORDABLE_COLOR},
        {99, PANEL_UNAFFORDABLE_COLOR, PANEL_UNAFFORDABLE_COLOR, PANEL_UNAFFORDABLE_COLOR},
        {300, PANEL_AFFORDABLE_COLOR, PANEL_AFFORDABLE_COLOR, PANEL_UNAFFORDABLE_COLOR},
        {600, PANEL_AFFORDABLE_COLOR, PANEL_AFFORDABLE_COLOR, PANEL_AFFORDABLE_COLOR},
    };
    EXPECT_NE(PANEL_AFFORDABLE_COLOR, PANEL_UNAFFORDABLE_COLOR);
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.currency);
        setCounter("Currency:", c.currency);
        graphics.swapBuffers();
        zp::WorldManager::getInstance().draw();
        EXPECT_EQ(graphics.drawnRow(0).substr(64, 3), "+1-");
        EXPECT_EQ(graphics.drawnRow(6).substr(64, 3), "+2-");
        EXPECT_EQ(graphics.drawnRow(12).substr(64, 3), "+3-");
        EXPECT_EQ(graphics.getDrawnColor(Position(65, 0)), c.gatling);
        EXPECT_EQ(graphics.getDrawnColor(Position(65, 6)), c.rocket);
        EXPECT_EQ(graphics.getDrawnColor(Position(65, 12)), c.freeze);
    }
}

class PanelsWithoutSprites : public Play {};

TEST_F(PanelsWithoutSprites, AreLoggedAndKeepTheirClickArea)
{
    loadSprite("build.txt", "gatling-build");
    loadSprite("turret.txt", "gatling");
    startGame();
    for (const char* type : {"GatlingInfo", "RocketInfo", "FreezeInfo"})
        EXPECT_TRUE(logHas(std::string(type) + "::" + type + "(): Warning! Sprite '" + type + "' not found"))
            << type;
    for (Info* p_panel : objectsOf<Info>())
        EXPECT_EQ(p_panel->getSprite(), nullptr);

    // Only the panel's own cell blocks a cursor; its area is still six rows deep.
    setCounter("Currency:", 200);
    click(Position(66, 2));
    moveMouse(Position(70, 4));
    click(Position(70, 4));
    step();
    ASSERT_EQ(objectsOf<Turret>().size(), 1u);
    EXPECT_EQ(objectsOf<Turret>().at(0)->getPosition(), Position(70, 4));
    EXPECT_EQ(cursors(), std::vector<std::string>{"GatlingBuild"});

    // The Rocket panel's cell: blocked, and too dear to start another purchase.
    moveMouse(Position(64, 6));
    step();
    click(Position(64, 6));
    step();
    EXPECT_EQ(objectsOf<Turret>().size(), 1u);
    EXPECT_TRUE(objectsOf<Build>().empty());
    EXPECT_EQ(counter("Currency:"), 100);
}

} // namespace
