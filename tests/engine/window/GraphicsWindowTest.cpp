// The graphics manager with its real window on the test's X display.
#include "support/EngineFixture.h"
#include "support/RunDir.h"

#include "zp/GraphicsManager.h"
#include "zp/WorldManager.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using zp::Position;

class GraphicsWindowTest : public zp::test::EngineFixture {
protected:
    GraphicsWindowTest() : EngineFixture(zp::test::Screen::WINDOW) {}

    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
};

TEST_F(GraphicsWindowTest, OpensTheWindowOnceWithItsSizes)
{
    sf::RenderWindow* p_window = graphics.getWindow();
    ASSERT_NE(p_window, nullptr);
    EXPECT_EQ(p_window->getSize(), sf::Vector2u(1024, 768));
    EXPECT_EQ(graphics.getHorizontalPixels(), 1024);
    EXPECT_EQ(graphics.getVerticalPixels(), 768);
    EXPECT_EQ(graphics.getHorizontalChars(), 80);
    EXPECT_EQ(graphics.getVerticalChars(), 24);
    EXPECT_EQ(graphics.getType(), "GraphicsManager");
    EXPECT_TRUE(graphics.isStarted());
    // A second start-up keeps the window.
    EXPECT_EQ(graphics.startUp(), 0);
    EXPECT_EQ(graphics.getWindow(), p_window);
}

TEST_F(GraphicsWindowTest, ShutDownClosesTheWindowAndDrawingStops)
{
    graphics.shutDown();
    EXPECT_FALSE(graphics.isStarted());
    EXPECT_EQ(graphics.getWindow(), nullptr);
    EXPECT_EQ(graphics.drawCh(Position(0, 0), 'A', zp::WHITE), -1);
    EXPECT_EQ(graphics.swapBuffers(), -1);
}

TEST_F(GraphicsWindowTest, LoadsTheNamedFontFileAtTheNextStartUp)
{
    // The font moves out of the working folder, so only the named file can serve.
    namespace fs = std::filesystem;
    const fs::path moved = fs::path(zp::test::runDir()) / "fonts" / "other.ttf";
    fs::create_directories(moved.parent_path());
    fs::rename("zp-font.ttf", moved);
    graphics.shutDown();
    EXPECT_EQ(graphics.getFontFile(), "zp-font.ttf");
    EXPECT_EQ(graphics.startUp(), -1);
    EXPECT_EQ(graphics.getWindow(), nullptr);

    graphics.setFontFile(moved.string());
    EXPECT_EQ(graphics.getFontFile(), moved.string());
    EXPECT_EQ(graphics.startUp(), 0);
    EXPECT_NE(graphics.getWindow(), nullptr);
    EXPECT_EQ(graphics.drawCh(Position(0, 0), 'A', zp::WHITE), 0);

    graphics.setFontFile("missing.ttf");
    graphics.shutDown();
    EXPECT_EQ(graphics.startUp(), -1);
    graphics.setFontFile(zp::FONT_FILE_DEFAULT);
}

TEST_F(GraphicsWindowTest, RecordsWhatItDrawsAsAHeadlessStartDoes)
{
    // Characters are recorded in their colour, through the view; a blank
    // leaves its cell as it was.
    zp::WorldManager::getInstance().setBoundary(zp::Box(Position(0, 0), 200, 100));
    zp::WorldManager::getInstance().setView(zp::Box(Position(10, 5), 80, 24));
    graphics.drawString(Position(10, 5), "a b", zp::LEFT_JUSTIFIED, zp::RED);
    graphics.drawCh(Position(11, 5), ' ', zp::GREEN);
    EXPECT_EQ(graphics.drawnRow(0).substr(0, 4), "a b ");
    EXPECT_EQ(graphics.getDrawnColor(Position(0, 0)), zp::RED);
    EXPECT_EQ(graphics.getDrawnColor(Position(2, 0)), zp::RED);
    EXPECT_EQ(graphics.swapBuffers(), 0);
    EXPECT_EQ(graphics.shownRow(0).substr(0, 4), "a b ");
}

} // namespace
