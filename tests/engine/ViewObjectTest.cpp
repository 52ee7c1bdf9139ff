#include "zp/ViewObject.h"

#include "support/EngineFixture.h"

#include "zp/EventStep.h"
#include "zp/EventView.h"
#include "zp/GraphicsManager.h"
#include "zp/WorldManager.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using zp::Position;
using zp::ViewObject;

TEST(EventView, CarriesTagValueAndDelta)
{
    zp::EventView plain;
    EXPECT_EQ(plain.getType(), "zp::view");
    EXPECT_EQ(plain.getTag(), "zp::view");
    EXPECT_EQ(plain.getValue(), 0);
    EXPECT_FALSE(plain.getDelta());

    zp::EventView lives("Lives:", -1, true);
    EXPECT_EQ(lives.getType(), zp::VIEW_EVENT);
    EXPECT_EQ(lives.getTag(), "Lives:");
    EXPECT_EQ(lives.getValue(), -1);
    EXPECT_TRUE(lives.getDelta());

    lives.setTag("Wave:");
    lives.setValue(7);
    lives.setDelta(false);
    EXPECT_EQ(lives.getTag(), "Wave:");
    EXPECT_EQ(lives.getValue(), 7);
    EXPECT_FALSE(lives.getDelta());
}

class ViewObjectTest : public zp::test::EngineFixture {
protected:
    ViewObjectTest() : EngineFixture(zp::test::Screen::HEADLESS) {}

    ViewObject* counter(const std::string& label, int value = 0)
    {
        auto* p_view = new ViewObject;
        p_view->setViewString(label);
        p_view->setValue(value);
        return p_view;
    }

    // A full row of the grid holding `text` centred on `column`.
    static std::string centred(int column, const std::string& text)
    {
        std::string line(zp::WINDOW_HORIZONTAL_CHARS_DEFAULT, ' ');
        line.replace(size_t(column) - text.size() / 2, text.size(), text);
        return line;
    }
    static std::string blankRow() { return std::string(zp::WINDOW_HORIZONTAL_CHARS_DEFAULT, ' '); }

    zp::WorldManager& world = zp::WorldManager::getInstance();
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
};

TEST_F(ViewObjectTest, StartsAsASpectralTopLayerCounterAtTheTopCentre)
{
    ViewObject* p_view = counter("Wave:");
    EXPECT_EQ(p_view->getType(), "ViewObject");
    EXPECT_EQ(p_view->getSolidness(), zp::SPECTRAL);
    EXPECT_EQ(p_view->getAltitude(), zp::MAX_ALTITUDE);
    EXPECT_EQ(p_view->getValue(), 0);
    EXPECT_TRUE(p_view->getBorder());
    EXPECT_EQ(p_view->getLocation(), zp::TOP_CENTER);
    EXPECT_EQ(p_view->getColor(), zp::WHITE);
    EXPECT_EQ(p_view->getPosition(), Position(40, 1));
}

TEST_F(ViewObjectTest, SevenPlacesWithAndWithoutBorder)
{
    const struct {
        zp::ViewObjectLocation location;
        Position framed;
        Position plain;
    } places[] = {
        {zp::TOP_LEFT, {13, 1}, {13, 0}},
        {zp::TOP_CENTER, {40, 1}, {40, 0}},
        {zp::TOP_RIGHT, {66, 1}, {66, 0}},
        {zp::CENTER_CENTER, {40, 12}, {40, 12}},
        {zp::BOTTOM_LEFT, {13, 22}, {13, 23}},
        {zp::BOTTOM_CENTER, {40, 22}, {40, 23}},
        {zp::BOTTOM_RIGHT, {66, 22}, {66, 23}},
        {static_cast<zp::ViewObjectLocation>(7), {0, 0}, {0, 0}},
        {static_cast<zp::ViewObjectLocation>(-1), {0, 0}, {0, 0}},
    };
    for (const auto& place : places) {
        SCOPED_TRACE(testing::Message() << "location " << place.location);
        ViewObject* p_view = counter("Wave:");
        p_view->setLocation(place.location);
        EXPECT_EQ(p_view->getLocation(), place.location);
        EXPECT_EQ(p_view->getPosition(), place.framed);
        p_view->setBorder(false);
        EXPECT_EQ(p_view->getPosition(), place.plain);
        p_view->setBorder(true);
        EXPECT_EQ(p_view->getPosition(), place.framed);
        world.markForDelete(p_view);
        world.update();
    }
}

TEST_F(ViewObjectTest, FramedTextWithDashesAboveAndBelow)
{
    const struct {
        zp::ViewObjectLocation location;
        Position at; // the text's centre
    } places[] = {
        {zp::TOP_LEFT, {13, 1}},       {zp::TOP_CENTER, {40, 1}},   {zp::TOP_RIGHT, {66, 1}},
        {zp::CENTER_CENTER, {40, 12}}, {zp::BOTTOM_LEFT, {13, 22}}, {zp::BOTTOM_CENTER, {40, 22}},
        {zp::BOTTOM_RIGHT, {66, 22}},
    };
    for (const auto& place : places) {
        SCOPED_TRACE(testing::Message() << "location " << place.location);
        ViewObject* p_view = counter("Wave:");
        p_view->setLocation(place.location);
        p_view->draw();
        int y = place.at.getY();
        for (int row = 0; row < zp::WINDOW_VERTICAL_CHARS_DEFAULT; ++row) {
            std::string expected = blankRow();
            if (row == y)
                expected = centred(place.at.getX(), "|Wave: 0|");
            else if (row == y - 1 || row == y + 1)
                expected = centred(place.at.getX(), "---------");
            EXPECT_EQ(graphics.drawnRow(row), expected) << "row " << row;
        }
        graphics.swapBuffers();
        world.markForDelete(p_view);
        world.update();
    }
}

TEST_F(ViewObjectTest, WithoutBorderOnlyTheText)
{
    const struct {
        zp::ViewObjectLocation location;
        Position at;
    } places[] = {
        {zp::TOP_LEFT, {13, 0}},       {zp::TOP_CENTER, {40, 0}},   {zp::TOP_RIGHT, {66, 0}},
        {zp::CENTER_CENTER, {40, 12}}, {zp::BOTTOM_LEFT, {13, 23}}, {zp::BOTTOM_CENTER, {40, 23}},
        {zp::BOTTOM_RIGHT, {66, 23}},
    };
    for (const auto& place : places) {
        SCOPED_TRACE(testing::Message() << "location " << place.location);
        ViewObject* p_view = counter("Wave:");
        p_view->setBorder(false);
        p_view->setLocation(place.location);
        p_view->draw();
        for (int row = 0; row < zp::WINDOW_VERTICAL_CHARS_DEFAULT; ++row)
            EXPECT_EQ(graphics.drawnRow(row),
                      row == place.at.getY() ? centred(place.at.getX(), "Wave: 0") : blankRow())
                << "row " << row;
        graphics.swapBuffers();
        world.markForDelete(p_view);
        world.update();
    }
}

TEST_F(ViewObjectTest, TheWorldDrawsItInItsColourWithItsValue)
{
    ViewObject* p_view = counter("Lives:", 3);
    p_view->setColor(zp::RED);
    world.draw();
    // Ten characters centred on column 40 cover columns 35 ... 44.
    EXPECT_EQ(graphics.drawnRow(0), centred(40, "----------"));
    EXPECT_EQ(graphics.drawnRow(1), centred(40, "|Lives: 3|"));
    EXPECT_EQ(graphics.drawnRow(2), centred(40, "----------"));
    EXPECT_EQ(graphics.drawnRow(1).find('|'), 35u);
    EXPECT_EQ(graphics.drawnRow(1).rfind('|'), 44u);
    for (int row = 0; row < 3; ++row)
        for (int x = 35; x <= 44; ++x)
            if (graphics.getDrawnChar(Position(x, row)) != ' ') {
                EXPECT_EQ(graphics.getDrawnColor(Position(x, row)), zp::RED) << x << "," << row;
            }
    graphics.swapBuffers();

    // A negative value keeps its minus sign; the frame grows with the text.
    p_view->setValue(-1);
    world.draw();
    EXPECT_EQ(graphics.drawnRow(0), centred(40, "-----------"));
    EXPECT_EQ(graphics.drawnRow(1), centred(40, "|Lives: -1|"));
    EXPECT_EQ(graphics.drawnRow(2), centred(40, "-----------"));
}

TEST_F(ViewObjectTest, SettingTheSameBorderAgainDoesNotMoveIt)
{
    ViewObject* p_view = counter("Wave:");
    p_view->setPosition(Position(5, 5));
    p_view->setBorder(true);
    EXPECT_EQ(p_view->getPosition(), Position(5, 5));
    p_view->setBorder(false);
    EXPECT_EQ(p_view->getPosition(), Position(40, 0));
    p_view->setPosition(Position(5, 5));
    p_view->setBorder(false);
    EXPECT_EQ(p_view->getPosition(), Position(5, 5));
}

TEST_F(ViewObjectTest, PlacesFollowTheViewSizeWhenSetButNotLater)
{
    world.setView(zp::Box(Position(0, 0), 60, 20));
    ViewObject* p_view = counter("Wave:");
    p_view->setLocation(zp::BOTTOM_RIGHT);
    EXPECT_EQ(p_view->getPosition(), Position(50, 18));
    world.setView(zp::Box(Position(0, 0), 80, 24));
    EXPECT_EQ(p_view->getPosition(), Position(50, 18));
}

TEST_F(ViewObjectTest, ViewEventsChangeTheCounterWithTheExactTag)
{
    ViewObject* p_wave = counter("Wave:");
    ViewObject* p_lives = counter("Lives:", 3);
    const struct {
        zp::EventView event;
        int wave_after;
        int lives_after;
    } steps[] = {
        {zp::EventView("Wave:", 1, true), 1, 3},
        {zp::EventView("Wave:", 7, false), 7, 3},
        {zp::EventView("wave:", 100, false), 7, 3},  // case differs: ignored
        {zp::EventView("Wave: ", 100, false), 7, 3}, // trailing blank: ignored
        {zp::EventView("Lives:", -1, true), 7, 2},
        {zp::EventView("Lives:", -5, true), 7, -3}, // nothing stops it below zero
        {zp::EventView(), 7, -3},                   // tag "zp::view" matches no label
        {zp::EventView("Wave:", INT_MAX, false), INT_MAX, -3},
        {zp::EventView("Wave:", 1, true), INT_MIN, -3}, // plain 32-bit arithmetic
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << step.event.getTag() << " " << step.event.getValue());
        world.onEvent(&step.event);
        EXPECT_EQ(p_wave->getValue(), step.wave_after);
        EXPECT_EQ(p_lives->getValue(), step.lives_after);
    }
}

TEST_F(ViewObjectTest, HandlerResultSaysWhetherTheEventWasForIt)
{
    ViewObject* p_view = counter("Wave:");
    zp::EventView mine("Wave:", 2, true);
    zp::EventView other("Lives:", 2, true);
    zp::EventStep step;
    zp::Event impostor; // the right tag but not a view event
    impostor.setType("not a view");
    EXPECT_EQ(p_view->eventHandler(&mine), 1);
    EXPECT_EQ(p_view->eventHandler(&other), 0);
    EXPECT_EQ(p_view->eventHandler(&step), 0);
    EXPECT_EQ(p_view->eventHandler(&impostor), 0);
    EXPECT_EQ(p_view->getValue(), 2);
}

TEST_F(ViewObjectTest, CountersWithTheSameLabelShowTheSameChanges)
{
    ViewObject* p_a = counter("Currency:", 10);
    ViewObject* p_b = counter("Currency:", 10);
    zp::EventView spend("Currency:", -4, true);
    world.onEvent(&spend);
    EXPECT_EQ(p_a->getValue(), 6);
    EXPECT_EQ(p_b->getValue(), 6);
}

} // namespace
