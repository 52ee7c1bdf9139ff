#include "zp/GraphicsManager.h"

#include "support/EngineFixture.h"
#include "support/Environment.h"
#include "support/RunDir.h"

#include "zp/Box.h"
#include "zp/Frame.h"
#include "zp/LogManager.h"
#include "zp/WorldManager.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/stat.h>

namespace {

using zp::Frame;
using zp::Position;

TEST(GraphicsGrid, CellSizeIsTheWindowOverTheGrid)
{
    EXPECT_FLOAT_EQ(zp::charWidth(), 12.8f);
    EXPECT_FLOAT_EQ(zp::charHeight(), 32.f);
}

TEST(GraphicsGrid, CellsAndPixels)
{
    const struct {
        Position cell;
        Position first_pixel;
    } cells[] = {
        {{0, 0}, {0, 0}},       {{1, 1}, {13, 32}},      {{5, 2}, {64, 64}},      {{10, 2}, {128, 64}},
        {{78, 22}, {999, 704}}, {{79, 23}, {1012, 736}}, {{80, 24}, {1024, 768}}, {{-1, -1}, {-12, -32}},
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(testing::Message() << c.cell.getX() << "," << c.cell.getY());
        EXPECT_EQ(zp::spacesToPixels(c.cell), c.first_pixel);
    }

    const struct {
        Position pixel;
        Position cell;
    } pixels[] = {
        {{1023, 767}, {79, 23}}, {{12, 31}, {0, 0}},      {{13, 32}, {1, 1}}, {{130, 64}, {10, 2}},
        {{1011, 735}, {78, 22}}, {{1012, 736}, {79, 23}}, {{-5, -5}, {0, 0}}, // truncated toward zero
    };
    for (const auto& c : pixels) {
        SCOPED_TRACE(testing::Message() << c.pixel.getX() << "," << c.pixel.getY());
        EXPECT_EQ(zp::pixelsToSpaces(c.pixel), c.cell);
    }
}

TEST(GraphicsGrid, EveryPixelMapsToTheCellDrawnOverIt)
{
    // Every one of the 80 columns (and 24 rows) is at least 12 pixels wide,
    // and the cell a pixel maps to is the one whose rectangle holds it.
    for (int x = 0; x < zp::WINDOW_HORIZONTAL_PIXELS_DEFAULT; ++x) {
        int column = zp::pixelsToSpaces(Position(x, 0)).getX();
        ASSERT_GE(column, 0);
        ASSERT_LT(column, zp::WINDOW_HORIZONTAL_CHARS_DEFAULT);
        ASSERT_LE(zp::spacesToPixels(Position(column, 0)).getX(), x);
        ASSERT_GT(zp::spacesToPixels(Position(column + 1, 0)).getX(), x);
    }
    for (int y = 0; y < zp::WINDOW_VERTICAL_PIXELS_DEFAULT; ++y) {
        int row = zp::pixelsToSpaces(Position(0, y)).getY();
        ASSERT_LE(zp::spacesToPixels(Position(0, row)).getY(), y);
        ASSERT_GT(zp::spacesToPixels(Position(0, row + 1)).getY(), y);
    }
    for (int column = 0; column < zp::WINDOW_HORIZONTAL_CHARS_DEFAULT; ++column) {
        int width = zp::spacesToPixels(Position(column + 1, 0)).getX() -
                    zp::spacesToPixels(Position(column, 0)).getX();
        EXPECT_TRUE(width == 12 || width == 13) << column;
    }
}

TEST(GraphicsWithoutWindow, DrawingIsRefusedAndNothingIsRecorded)
{
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    ASSERT_EQ(graphics.getWindow(), nullptr);
    EXPECT_EQ(graphics.drawCh(Position(1, 1), 'A', zp::RED), -1);
    EXPECT_EQ(graphics.drawString(Position(1, 2), "abc", zp::LEFT_JUSTIFIED, zp::RED), 0);
    EXPECT_EQ(graphics.drawFrame(Position(1, 3), Frame(1, 1, "x"), false, zp::RED), 0);
    EXPECT_EQ(graphics.drawFrame(Position(1, 3), Frame(), false, zp::RED), -1);
    EXPECT_EQ(graphics.swapBuffers(), -1);
    EXPECT_EQ(graphics.clearBox(zp::Box(Position(0, 0), 4, 4)), -1);
    EXPECT_EQ(graphics.saveScreenshot("nothing.png"), -1);
    EXPECT_FALSE(std::filesystem::exists("nothing.png"));
    for (int row : {1, 2, 3})
        EXPECT_EQ(graphics.drawnRow(row), std::string(80, ' '));
    EXPECT_EQ(graphics.getDrawnChar(Position(1, 1)), ' ');
}

TEST(GraphicsWithoutWindow, MissingFontFailsStartUpAndOpensNoWindow)
{
    ASSERT_EQ(std::rename("zp-font.ttf", "put-aside.ttf"), 0);
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    EXPECT_EQ(graphics.startUp(), -1);
    EXPECT_EQ(graphics.getWindow(), nullptr);
    EXPECT_EQ(graphics.drawCh(Position(0, 0), 'A', zp::WHITE), -1);
    ASSERT_EQ(std::rename("put-aside.ttf", "zp-font.ttf"), 0);
}

// A start without its font or its display fails with a log line saying which,
// rather than leaving the windowing library to end the program.
TEST(GraphicsWithoutWindow, AFailedStartSaysWhyInTheLog)
{
    const char* const saved = std::getenv("DISPLAY");
    const std::string saved_display = saved ? saved : "";
    const struct {
        const char* name;
        bool with_font;
        const char* display;
        const char* log;
    } cases[] = {
        {"no font", false, ":0", "Message: Could not load the font zp-font.ttf\n"},
#ifndef _WIN32
        // A Windows desktop always has its display.
        {"no display", true, ":987", "Message: Could not open the display :987\n"},
        {"DISPLAY unset", true, nullptr, "Message: Could not open the display (DISPLAY not set)\n"},
#endif
    };
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        zp::LogManager& log = zp::LogManager::getInstance();
        ASSERT_EQ(log.startUp(), 0);
        if (!c.with_font) {
            ASSERT_EQ(std::rename("zp-font.ttf", "put-aside.ttf"), 0);
        }
        if (c.display != nullptr)
            zp::test::setEnvironmentVariable("DISPLAY", c.display);
        else
            zp::test::unsetEnvironmentVariable("DISPLAY");
        EXPECT_EQ(graphics.startUp(), -1);
        EXPECT_EQ(graphics.getWindow(), nullptr);
        log.shutDown();
        EXPECT_EQ(zp::test::readFile("zephane.log"), c.log);
        if (!c.with_font) {
            ASSERT_EQ(std::rename("put-aside.ttf", "zp-font.ttf"), 0);
        }
    }
    if (saved)
        zp::test::setEnvironmentVariable("DISPLAY", saved_display.c_str());
    else
        zp::test::unsetEnvironmentVariable("DISPLAY");
}

#ifndef _WIN32 // FIFOs, devices and symbolic links as POSIX has them
// A font that is not a regular file is refused like a missing one: the font
// library would wait on a FIFO for ever, or read a device without end.
TEST(GraphicsWithoutWindow, AFontThatIsNotAFileIsRefusedLikeAMissingOne)
{
    const std::string fifo = zp::test::runDir() + "/fifo.ttf";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    for (const std::string& font : {fifo, std::string("/dev/zero"), zp::test::runDir()}) {
        SCOPED_TRACE(font);
        zp::LogManager& log = zp::LogManager::getInstance();
        ASSERT_EQ(log.startUp(), 0);
        graphics.setFontFile(font);
        EXPECT_EQ(graphics.startUp(), -1);
        EXPECT_EQ(graphics.getWindow(), nullptr);
        log.shutDown();
        EXPECT_EQ(zp::test::readFile("zephane.log"), "Message: Could not load the font " + font + "\n");
    }
    graphics.setFontFile(zp::FONT_FILE_DEFAULT);
}
#endif

// Headless: the frame's characters are recorded exactly as with a window
// (window/GraphicsWindowTest.cpp checks the window records the same).
class GraphicsTest : public zp::test::EngineFixture {
protected:
    GraphicsTest() : EngineFixture(zp::test::Screen::HEADLESS) {}

    // A full row of the grid holding `text` from `column` on.
    static std::string row(int column, const std::string& text)
    {
        std::string line(zp::WINDOW_HORIZONTAL_CHARS_DEFAULT, ' ');
        line.replace(size_t(column), text.size(), text);
        return line;
    }

    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
};

TEST_F(GraphicsTest, AHeadlessStartNeedsNoFontAndShowsNoWindow)
{
    EXPECT_TRUE(graphics.isStarted());
    EXPECT_EQ(graphics.getWindow(), nullptr);
    EXPECT_EQ(graphics.getHorizontalChars(), 80);
    EXPECT_EQ(graphics.getVerticalChars(), 24);
    EXPECT_EQ(graphics.drawCh(Position(2, 2), 'h', zp::GREEN), 0);
    EXPECT_EQ(graphics.swapBuffers(), 0);
    EXPECT_EQ(graphics.shownRow(2), row(2, "h"));
    // Shut down, drawing is refused again.
    graphics.shutDown();
    EXPECT_EQ(graphics.drawCh(Position(0, 0), 'A', zp::WHITE), -1);
    EXPECT_EQ(graphics.swapBuffers(), -1);
}

TEST_F(GraphicsTest, DrawStringJustification)
{
    const struct {
        const char* text;
        zp::Justification just;
        int first_column;
    } cases[] = {
        {"abc", zp::LEFT_JUSTIFIED, 10},
        {"abc", zp::CENTER_JUSTIFIED, 9},  // symmetric about column 10
        {"abc", zp::RIGHT_JUSTIFIED, 7},   // ends in the column before 10
        {"abcd", zp::CENTER_JUSTIFIED, 8}, // one more left of 10 than right
        {"abcd", zp::RIGHT_JUSTIFIED, 6},
        {"abc", static_cast<zp::Justification>(7), 10}, // any other value: left
        {"", zp::CENTER_JUSTIFIED, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << "\" " << c.just);
        EXPECT_EQ(graphics.drawString(Position(10, 4), c.text, c.just, zp::WHITE), 0);
        EXPECT_EQ(graphics.drawnRow(4), row(c.first_column, c.text));
        graphics.swapBuffers();
    }
}

TEST_F(GraphicsTest, DrawFrameCentring)
{
    const struct {
        Frame frame;
        bool centered;
        Position at;
        int first_column;
        int first_row;
    } cases[] = {
        {Frame(4, 2, "abcdefgh"), true, {10, 10}, 8, 9},
        {Frame(3, 3, "abcdefghi"), true, {10, 5}, 9, 4},
        {Frame(4, 2, "abcdefgh"), false, {10, 10}, 10, 10},
        {Frame(1, 1, "a"), true, {10, 10}, 10, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.frame.getString() << " centred " << c.centered);
        EXPECT_EQ(graphics.drawFrame(c.at, c.frame, c.centered, zp::WHITE), 0);
        const std::string& chars = c.frame.getString();
        int width = c.frame.getWidth();
        for (int y = 0; y < zp::WINDOW_VERTICAL_CHARS_DEFAULT; ++y) {
            int frame_row = y - c.first_row;
            bool inside = frame_row >= 0 && frame_row < c.frame.getHeight();
            EXPECT_EQ(graphics.drawnRow(y),
                      inside ? row(c.first_column, chars.substr(size_t(frame_row * width), size_t(width)))
                             : row(0, ""))
                << "row " << y;
        }
        graphics.swapBuffers();
    }
}

TEST_F(GraphicsTest, DrawFrameWithoutCharactersDrawsNothing)
{
    EXPECT_EQ(graphics.drawFrame(Position(5, 5), Frame(), false, zp::WHITE), -1);
    EXPECT_EQ(graphics.drawFrame(Position(5, 5), Frame(3, 1, ""), false, zp::WHITE), -1);
    // A string shorter than the frame's size draws what it holds.
    EXPECT_EQ(graphics.drawFrame(Position(5, 5), Frame(3, 2, "abcd"), false, zp::WHITE), 0);
    EXPECT_EQ(graphics.drawnRow(5), row(5, "abc"));
    EXPECT_EQ(graphics.drawnRow(6), row(5, "d"));
}

TEST_F(GraphicsTest, ColoursOutsideTheEightKeepThePreviousOne)
{
    graphics.drawCh(Position(0, 0), 'a', static_cast<zp::Color>(8)); // none before: white
    graphics.drawCh(Position(1, 0), 'b', zp::RED);
    graphics.drawCh(Position(2, 0), 'c', static_cast<zp::Color>(8));
    graphics.drawCh(Position(3, 0), 'd', static_cast<zp::Color>(-1));
    graphics.drawCh(Position(4, 0), ' ', zp::CYAN); // a blank still sets the colour
    graphics.drawCh(Position(5, 0), 'e', static_cast<zp::Color>(100));
    graphics.drawCh(Position(6, 0), 'f', zp::BLACK);
    const zp::Color expected[] = {zp::WHITE, zp::RED, zp::RED, zp::RED, zp::BLACK, zp::CYAN, zp::BLACK};
    for (int x = 0; x < 7; ++x)
        EXPECT_EQ(graphics.getDrawnColor(Position(x, 0)), expected[x]) << x;
    EXPECT_EQ(graphics.drawnRow(0), row(0, "abcd ef"));
}

TEST_F(GraphicsTest, TheLastVisibleCharacterOfACellIsOnTop)
{
    graphics.drawCh(Position(3, 3), 'A', zp::RED);
    graphics.drawCh(Position(3, 3), 'B', zp::GREEN);
    graphics.drawCh(Position(3, 3), ' ', zp::BLUE); // a blank covers nothing
    EXPECT_EQ(graphics.getDrawnChar(Position(3, 3)), 'B');
    EXPECT_EQ(graphics.getDrawnColor(Position(3, 3)), zp::GREEN);
}

TEST_F(GraphicsTest, PositionsAreWorldPositionsShownThroughTheView)
{
    zp::WorldManager::getInstance().setBoundary(zp::Box(Position(0, 0), 200, 100));
    zp::WorldManager::getInstance().setView(zp::Box(Position(50, 20), 80, 24));
    graphics.drawCh(Position(53, 21), 'v', zp::WHITE);
    EXPECT_EQ(graphics.getDrawnChar(Position(3, 1)), 'v');
}

TEST_F(GraphicsTest, CharactersOffTheGridAreAcceptedButNotRecorded)
{
    for (Position p :
         {Position(-1, 0), Position(80, 0), Position(0, -1), Position(0, 24), Position(100000, 100000)})
        EXPECT_EQ(graphics.drawCh(p, 'x', zp::WHITE), 0);
    for (int y = 0; y < 24; ++y)
        EXPECT_EQ(graphics.drawnRow(y), row(0, "")) << y;
    EXPECT_EQ(graphics.drawnRow(-1), "");
    EXPECT_EQ(graphics.drawnRow(24), "");
    EXPECT_EQ(graphics.getDrawnChar(Position(80, 0)), ' ');
}

TEST_F(GraphicsTest, AClearedBoxHidesWhatCameBeforeAndNotWhatComesAfter)
{
    for (int y = 0; y < 5; ++y)
        graphics.drawString(Position(0, y), "abcdefgh", zp::LEFT_JUSTIFIED, zp::GREEN);
    EXPECT_EQ(graphics.clearBox(zp::Box(Position(2, 1), 3, 2)), 0);
    graphics.drawCh(Position(3, 2), 'X', zp::RED);
    // Partly off the grid: the cells on it are cleared, the rest is ignored.
    EXPECT_EQ(graphics.clearBox(zp::Box(Position(-2, 4), 4, 3)), 0);
    EXPECT_EQ(graphics.drawnRow(0), row(0, "abcdefgh"));
    EXPECT_EQ(graphics.drawnRow(1), row(0, "ab   fgh"));
    EXPECT_EQ(graphics.drawnRow(2), row(0, "ab X fgh"));
    EXPECT_EQ(graphics.drawnRow(3), row(0, "abcdefgh"));
    EXPECT_EQ(graphics.drawnRow(4), row(0, "  cdefgh"));
    EXPECT_EQ(graphics.getDrawnColor(Position(2, 1)), zp::BLACK);
    EXPECT_EQ(graphics.getDrawnColor(Position(3, 2)), zp::RED);
}

TEST_F(GraphicsTest, AHeadlessStartHasNoWindowToSaveAScreenshotOf)
{
    graphics.drawString(Position(0, 0), "seen", zp::LEFT_JUSTIFIED, zp::WHITE);
    graphics.swapBuffers();
    EXPECT_EQ(graphics.saveScreenshot("shot.png"), -1);
    EXPECT_FALSE(std::filesystem::exists("shot.png"));
}

TEST_F(GraphicsTest, SwapBuffersShowsTheFrameAndStartsAnEmptyOne)
{
    graphics.drawString(Position(0, 0), "first", zp::LEFT_JUSTIFIED, zp::YELLOW);
    graphics.drawCh(Position(79, 23), '#', zp::MAGENTA);
    EXPECT_EQ(graphics.shownRow(0), row(0, ""));
    EXPECT_EQ(graphics.swapBuffers(), 0);
    EXPECT_EQ(graphics.shownRow(0), row(0, "first"));
    EXPECT_EQ(graphics.shownRow(23), row(79, "#"));
    EXPECT_EQ(graphics.drawnRow(0), row(0, ""));
    EXPECT_EQ(graphics.getDrawnColor(Position(0, 0)), zp::BLACK);

    EXPECT_EQ(graphics.swapBuffers(), 0);
    EXPECT_EQ(graphics.shownRow(0), row(0, ""));
}

// A frame or string millions of characters long shows just what falls in the
// window, in the cells and colours that drawing every character would give.
TEST_F(GraphicsTest, HugeFramesAndStringsShowTheirCellsInsideTheWindow)
{
    const int huge = 3000000;
    std::string text(size_t(huge) * 2, ' ');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = char('a' + i % 26);
    const std::string second_row = text.substr(size_t(huge));
    const Frame wide(huge, 2, text);

    const struct {
        const char* name;
        Position at;
        bool centered;
        int top;            // row of the frame's first row
        int first_column;   // first column drawn on
        size_t first_shown; // index in the frame's row of the character there
    } cases[] = {
        {"from far left", {-1500000, 5}, false, 5, 0, 1500000},
        {"centred", {40, 5}, true, 4, 0, 1500000 - 40},
        {"starting inside", {10, 5}, false, 5, 10, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(graphics.drawFrame(c.at, wide, c.centered, zp::GREEN), 0);
        const size_t shown = size_t(80 - c.first_column);
        EXPECT_EQ(graphics.drawnRow(c.top), row(c.first_column, text.substr(c.first_shown, shown)));
        EXPECT_EQ(graphics.drawnRow(c.top + 1), row(c.first_column, second_row.substr(c.first_shown, shown)));
        EXPECT_EQ(graphics.getDrawnColor(Position(79, c.top)), zp::GREEN);
        EXPECT_EQ(graphics.drawnRow(c.top + 2), row(0, ""));
        graphics.swapBuffers();
    }

    // Right-justified at the right edge: the string's last 80 characters.
    graphics.drawString(Position(80, 0), text, zp::RIGHT_JUSTIFIED, zp::YELLOW);
    EXPECT_EQ(graphics.drawnRow(0), text.substr(text.size() - 80));
    // Wholly off the window, a frame or string still sets the colour that
    // later out-of-range colours keep, as each of its characters would.
    graphics.drawFrame(Position(0, 100), wide, false, zp::MAGENTA);
    graphics.drawCh(Position(0, 1), 'm', static_cast<zp::Color>(8));
    graphics.drawString(Position(-huge, 1), "far off", zp::LEFT_JUSTIFIED, zp::CYAN);
    graphics.drawCh(Position(1, 1), 'c', static_cast<zp::Color>(8));
    EXPECT_EQ(graphics.getDrawnColor(Position(0, 1)), zp::MAGENTA);
    EXPECT_EQ(graphics.getDrawnColor(Position(1, 1)), zp::CYAN);

    // Through a view that is not at the world's corner.
    zp::WorldManager::getInstance().setBoundary(zp::Box(Position(0, 0), 200, 100));
    zp::WorldManager::getInstance().setView(zp::Box(Position(50, 20), 80, 24));
    graphics.swapBuffers();
    graphics.drawFrame(Position(50 - 1000, 22), wide, false, zp::WHITE);
    EXPECT_EQ(graphics.drawnRow(2), text.substr(1000, 80));
    EXPECT_EQ(graphics.drawnRow(3), second_row.substr(1000, 80));
    // At the ends of the number range, seen through that view: nothing shows.
    EXPECT_EQ(graphics.drawCh(Position(INT_MIN, INT_MIN), 'x', zp::RED), 0);
    EXPECT_EQ(graphics.drawString(Position(INT_MAX, INT_MIN), "far", zp::RIGHT_JUSTIFIED, zp::RED), 0);
    EXPECT_EQ(graphics.drawFrame(Position(INT_MIN, INT_MAX), wide, true, zp::RED), 0);
    for (int y : {0, 1, 4, 23})
        EXPECT_EQ(graphics.drawnRow(y), row(0, "")) << y;
}

} // namespace

// The window's title, sizes and grid, set before start-up; every default is
// the engine's as it always was.
class GraphicsSetUp : public testing::Test {
protected:
    void TearDown() override { zp::test::restoreGraphicsDefaults(); }

    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
};

TEST_F(GraphicsSetUp, TheDefaultsAreTheEnginesOwn)
{
    EXPECT_EQ(graphics.getWindowTitle(), "Zephane");
    EXPECT_EQ(graphics.getHorizontalPixels(), 1024);
    EXPECT_EQ(graphics.getVerticalPixels(), 768);
    EXPECT_EQ(graphics.getHorizontalChars(), 80);
    EXPECT_EQ(graphics.getVerticalChars(), 24);
    EXPECT_EQ(graphics.getWindowedSize(), sf::Vector2u(1024, 768));
    EXPECT_EQ(graphics.getWindowSize(), sf::Vector2u(1024, 768));
    EXPECT_FALSE(graphics.isFullscreen());
    EXPECT_EQ(graphics.getScaling(), zp::SCALE_TO_FIT);
    EXPECT_EQ(graphics.getLayout().width, 1024);
    EXPECT_EQ(graphics.getLayout().character_size, 26u);
    EXPECT_FLOAT_EQ(zp::charWidth(), 12.8f);
}

TEST_F(GraphicsSetUp, SizesOutsideTheirRangeAreRefusedAndChangeNothing)
{
    const struct {
        int horizontal, vertical;
        int result;
    } cases[] = {
        {0, 768, -1},  {1024, 0, -1},
        {-5, -5, -1},  {zp::MAX_WINDOW_PIXELS + 1, 768, -1},
        {1, 1, 0},     {zp::MAX_WINDOW_PIXELS, zp::MAX_WINDOW_PIXELS, 0},
        {800, 600, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.horizontal << " x " << c.vertical);
        const int before_x = graphics.getHorizontalPixels();
        EXPECT_EQ(graphics.setWindowSize(c.horizontal, c.vertical), c.result);
        EXPECT_EQ(graphics.getHorizontalPixels(), c.result == 0 ? c.horizontal : before_x);
        ASSERT_EQ(graphics.setWindowedSize(640, 480), 0);
        EXPECT_EQ(graphics.setWindowedSize(c.horizontal, c.vertical), c.result);
        EXPECT_EQ(graphics.getWindowedSize(), c.result == 0
                                                  ? sf::Vector2u(unsigned(c.horizontal), unsigned(c.vertical))
                                                  : sf::Vector2u(640, 480));
    }
    EXPECT_EQ(graphics.setGridSize(0, 24), -1);
    EXPECT_EQ(graphics.setGridSize(80, zp::MAX_GRID_CHARS + 1), -1);
    EXPECT_EQ(graphics.getHorizontalChars(), 80);
    EXPECT_EQ(graphics.setGridSize(zp::MAX_GRID_CHARS, 1), 0);
    EXPECT_EQ(graphics.getHorizontalChars(), zp::MAX_GRID_CHARS);
}

// A game of 40 x 10 cells on 800 x 600 pixels: its cells are 20 x 60, its
// font 40 pixels, and the frame's record is 40 x 10.
TEST_F(GraphicsSetUp, AGridOfItsOwnIsDrawnAndRecordedWholeAndNoMore)
{
    ASSERT_EQ(graphics.setWindowSize(800, 600), 0);
    ASSERT_EQ(graphics.setGridSize(40, 10), 0);
    graphics.setWindowTitle("Forty by ten");
    EXPECT_EQ(graphics.getWindowTitle(), "Forty by ten");
    EXPECT_FLOAT_EQ(zp::charWidth(), 20.f);
    EXPECT_FLOAT_EQ(zp::charHeight(), 60.f);
    EXPECT_EQ(graphics.getLayout().character_size, 40u);
    EXPECT_EQ(zp::spacesToPixels(Position(39, 9)), Position(780, 540));

    graphics.setHeadless(true);
    ASSERT_EQ(graphics.startUp(), 0);
    graphics.setViewCorner(Position(0, 0));
    EXPECT_EQ(graphics.setGridSize(80, 24), -1) << "not once started";
    graphics.drawString(Position(0, 9), std::string(45, 'x'), zp::LEFT_JUSTIFIED, zp::WHITE);
    graphics.drawCh(Position(5, 10), 'y', zp::WHITE);
    graphics.swapBuffers();
    EXPECT_EQ(graphics.shownRow(9), std::string(40, 'x'));
    EXPECT_EQ(graphics.shownRow(10), "");
    EXPECT_EQ(graphics.getDrawnChar(Position(39, 9)), ' ') << "a new frame";
    graphics.shutDown();
    graphics.setHeadless(false);
}

TEST_F(GraphicsSetUp, ATallerWindowOpensWithTheGridAtTheBaseSizesProportions)
{
    ASSERT_EQ(graphics.setWindowedSize(1024, 1000), 0);
    EXPECT_EQ(graphics.getHorizontalPixels(), 1024) << "the base size stays";
    EXPECT_EQ(graphics.getWindowSize(), sf::Vector2u(1024, 1000));
    EXPECT_EQ(graphics.getLayout().top, 116);
    Position cell;
    EXPECT_FALSE(graphics.windowPixelToCell(Position(10, 100), cell));
    ASSERT_TRUE(graphics.windowPixelToCell(Position(10, 116), cell));
    EXPECT_EQ(cell, Position(0, 0));
    graphics.setScaling(zp::SCALE_INTEGER);
    EXPECT_EQ(graphics.getScaling(), zp::SCALE_INTEGER);
    graphics.setFullscreen(true);
    EXPECT_TRUE(graphics.isFullscreen()) << "the window will open fullscreen";
}

// Tints are recorded per cell under the characters, whichever came first,
// and only on the grid; a box cleared in the frame hides them.
TEST_F(GraphicsTest, ShadedCellsAreRecordedUnderTheirCharacters)
{
    graphics.drawCh(Position(5, 5), 'A', zp::WHITE);
    EXPECT_EQ(graphics.shadeCell(Position(5, 5), zp::CYAN), 0);
    EXPECT_EQ(graphics.shadeCell(Position(6, 5), zp::YELLOW), 0);
    graphics.drawCh(Position(6, 5), 'B', zp::RED);
    EXPECT_EQ(graphics.shadeCell(Position(-1, 5), zp::CYAN), 0) << "off the grid: ignored";
    EXPECT_EQ(graphics.shadeCell(Position(80, 23), zp::CYAN), 0);
    EXPECT_EQ(graphics.shadeCell(Position(7, 5), zp::Color(9)), 0) << "no colour: no tint";
    graphics.shadeCell(Position(10, 10), zp::GREEN);
    graphics.clearBox(zp::Box(Position(10, 10), 2, 1));
    graphics.shadeCell(Position(11, 10), zp::GREEN);

    EXPECT_EQ(graphics.getDrawnShade(Position(5, 5)), zp::CYAN);
    EXPECT_EQ(graphics.getDrawnShade(Position(6, 5)), zp::YELLOW);
    EXPECT_EQ(graphics.getDrawnShade(Position(7, 5)), zp::BLACK);
    EXPECT_EQ(graphics.getDrawnShade(Position(10, 10)), zp::BLACK) << "cleared after";
    EXPECT_EQ(graphics.getDrawnShade(Position(11, 10)), zp::BLACK) << "cleared before, in the same frame";
    EXPECT_EQ(graphics.drawnRow(5), row(5, "AB"));
    EXPECT_EQ(graphics.getDrawnColor(Position(6, 5)), zp::RED) << "the character keeps its colour";

    graphics.swapBuffers();
    EXPECT_EQ(graphics.getShownShade(Position(5, 5)), zp::CYAN);
    EXPECT_EQ(graphics.getDrawnShade(Position(5, 5)), zp::BLACK) << "a new frame starts untinted";
    graphics.swapBuffers();
    EXPECT_EQ(graphics.getShownShade(Position(5, 5)), zp::BLACK);

    graphics.shutDown();
    EXPECT_EQ(graphics.shadeCell(Position(5, 5), zp::CYAN), -1);
}

TEST_F(GraphicsTest, ThePaletteIsTheDefaultUntilChanged)
{
    EXPECT_EQ(graphics.getPalette().name, "default");
    EXPECT_EQ(graphics.getPalette().colorOf(zp::BLUE), sf::Color::Blue);
    graphics.setPalette(zp::colourBlindPalette());
    EXPECT_EQ(graphics.getPalette().name, "colour-blind");
    EXPECT_EQ(graphics.getPalette().colorOf(zp::BLUE), sf::Color(0, 114, 178));
    // Colour names are what the frame records, whatever they look like.
    graphics.drawCh(Position(1, 1), 'x', zp::BLUE);
    EXPECT_EQ(graphics.getDrawnColor(Position(1, 1)), zp::BLUE);
}
