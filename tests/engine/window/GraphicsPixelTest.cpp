// What the window really shows, read back from the X server cell by cell.
#include "support/EngineFixture.h"
#include "support/WindowCapture.h"

#include "zp/Frame.h"
#include "zp/GraphicsManager.h"
#include "zp/Palette.h"
#include "zp/WorldManager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

using zp::Position;
using zp::test::captureEngineWindowWhen;
using zp::test::countColorInCell;
using zp::test::countLitInCell;

// Enough pixels of a colour to be a glyph rather than an edge.
const int GLYPH_PIXELS = 12;

class GraphicsPixelTest : public zp::test::EngineFixture {
protected:
    GraphicsPixelTest() : EngineFixture(zp::test::Screen::WINDOW) {}

    // Shows an empty frame and waits until the screen is black, so the next
    // capture cannot be a stale copy of the previous picture.
    void blankScreen()
    {
        graphics.swapBuffers();
        ASSERT_TRUE(zp::test::allBlack(captureEngineWindowWhen(zp::test::allBlack, "blank.png")));
    }

    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
};

TEST_F(GraphicsPixelTest, EachCharacterShowsInItsCellInItsColour)
{
    const struct {
        Position cell;
        char ch;
        zp::Color color;
        sf::Color expected;
    } drawn[] = {
        {{0, 0}, 'M', zp::RED, sf::Color::Red},           {{4, 0}, '#', zp::GREEN, sf::Color::Green},
        {{40, 12}, 'W', zp::YELLOW, sf::Color::Yellow},   {{20, 5}, '@', zp::BLUE, sf::Color::Blue},
        {{60, 20}, '%', zp::MAGENTA, sf::Color::Magenta}, {{10, 23}, 'H', zp::CYAN, sf::Color::Cyan},
        {{79, 0}, 'X', zp::WHITE, sf::Color::White}, // the last column is on screen
        {{79, 23}, 'E', zp::GREEN, sf::Color::Green},     {{78, 10}, '8', zp::RED, sf::Color::Red},
    };
    for (const auto& d : drawn)
        ASSERT_EQ(graphics.drawCh(d.cell, d.ch, d.color), 0);
    ASSERT_EQ(graphics.swapBuffers(), 0);

    auto lit = [&](const sf::Image& image) {
        for (const auto& d : drawn)
            if (countColorInCell(image, d.cell, d.expected) < GLYPH_PIXELS)
                return false;
        return true;
    };
    sf::Image screen = captureEngineWindowWhen(lit, "cells.png");
    ASSERT_EQ(screen.getSize(), sf::Vector2u(1024, 768));
    for (const auto& d : drawn) {
        SCOPED_TRACE(testing::Message() << d.ch << " at " << d.cell.getX() << "," << d.cell.getY());
        EXPECT_GE(countColorInCell(screen, d.cell, d.expected), GLYPH_PIXELS);
    }

    // Nothing else lit: every cell that neither holds a character nor
    // borders one (glyphs are a little wider than a cell) is black.
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 80; ++x) {
            bool near_drawn = false;
            for (const auto& d : drawn)
                near_drawn |= d.cell.getY() == y && std::abs(d.cell.getX() - x) <= 1;
            if (!near_drawn) {
                ASSERT_EQ(countLitInCell(screen, Position(x, y)), 0) << x << "," << y;
            }
        }
    }
}

TEST_F(GraphicsPixelTest, LaterCharactersAreDrawnOverEarlierOnesInTheSameCell)
{
    const Position cell(10, 5);
    auto lit = [&](const sf::Image& image) { return countLitInCell(image, cell) > 0; };
    auto show = [&](std::initializer_list<std::pair<char, zp::Color>> chars, const char* name) {
        blankScreen();
        for (const auto& [ch, color] : chars)
            graphics.drawCh(cell, ch, color);
        graphics.swapBuffers();
        return captureEngineWindowWhen(lit, name);
    };
    sf::Image bar = show({{'|', zp::RED}}, "bar.png");
    sf::Image dash = show({{'-', zp::GREEN}}, "dash.png");
    sf::Image dash_over_bar = show({{'|', zp::RED}, {'-', zp::GREEN}}, "dash-over-bar.png");
    sf::Image bar_over_dash = show({{'-', zp::GREEN}, {'|', zp::RED}}, "bar-over-dash.png");

    Position from = zp::spacesToPixels(cell);
    Position to = zp::spacesToPixels(Position(cell.getX() + 1, cell.getY() + 1));
    int crossing = 0;
    int bar_only = 0;
    for (int y = from.getY(); y < to.getY(); ++y) {
        for (int x = from.getX(); x < to.getX(); ++x) {
            sf::Color b = bar.getPixel(unsigned(x), unsigned(y));
            sf::Color d = dash.getPixel(unsigned(x), unsigned(y));
            if (b == sf::Color::Red && d == sf::Color::Green) {
                ++crossing;
                EXPECT_EQ(dash_over_bar.getPixel(unsigned(x), unsigned(y)), sf::Color::Green);
                EXPECT_EQ(bar_over_dash.getPixel(unsigned(x), unsigned(y)), sf::Color::Red);
            } else if (b == sf::Color::Red && d == sf::Color::Black) {
                // The later glyph's empty background leaves the earlier one visible.
                ++bar_only;
                EXPECT_EQ(dash_over_bar.getPixel(unsigned(x), unsigned(y)), sf::Color::Red);
            }
        }
    }
    EXPECT_GT(crossing, 0);
    EXPECT_GE(bar_only, GLYPH_PIXELS);
}

TEST_F(GraphicsPixelTest, AFrameWithNothingDrawnIsBlack)
{
    graphics.drawString(Position(0, 0), std::string(80, 'B'), zp::LEFT_JUSTIFIED, zp::WHITE);
    graphics.swapBuffers();
    sf::Image full =
        captureEngineWindowWhen([](const sf::Image& image) { return !zp::test::allBlack(image); });
    ASSERT_FALSE(zp::test::allBlack(full));

    graphics.swapBuffers();
    sf::Image empty = captureEngineWindowWhen(zp::test::allBlack);
    EXPECT_TRUE(zp::test::allBlack(empty));
}

TEST_F(GraphicsPixelTest, BatchedGlyphsMatchTextDrawnOneByOne)
{
    // The same characters drawn by the engine and by one sf::Text each, as
    // the window would show them without batching.
    const struct {
        Position cell;
        char ch;
        zp::Color color;
        sf::Color sf_color;
    } drawn[] = {
        {{3, 2}, 'g', zp::WHITE, sf::Color::White},   {{4, 2}, 'Q', zp::RED, sf::Color::Red},
        {{30, 9}, '$', zp::CYAN, sf::Color::Cyan},    {{31, 9}, 'j', zp::YELLOW, sf::Color::Yellow},
        {{79, 23}, 'W', zp::GREEN, sf::Color::Green}, {{0, 23}, '_', zp::MAGENTA, sf::Color::Magenta},
    };
    for (const auto& d : drawn)
        graphics.drawCh(d.cell, d.ch, d.color);
    graphics.swapBuffers();
    auto lit = [&](const sf::Image& image) {
        for (const auto& d : drawn)
            if (countLitInCell(image, d.cell) == 0)
                return false;
        return true;
    };
    sf::Image batched = captureEngineWindowWhen(lit, "batched.png");
    blankScreen();

    sf::Font font;
    ASSERT_TRUE(font.loadFromFile("zp-font.ttf"));
    sf::Text text("", font, 26);
    text.setStyle(sf::Text::Bold);
    sf::RenderWindow& window = *graphics.getWindow();
    window.clear(sf::Color::Black);
    for (const auto& d : drawn) {
        Position pixel = zp::spacesToPixels(d.cell);
        text.setString(std::string(1, d.ch));
        text.setFillColor(d.sf_color);
        text.setPosition(float(pixel.getX()), float(pixel.getY()));
        window.draw(text);
    }
    window.display();
    graphics.redrawWhole();
    sf::Image one_by_one = captureEngineWindowWhen(lit, "one-by-one.png");

    EXPECT_EQ(zp::test::differingPixels(batched, one_by_one), 0);
}

// A frame millions of characters wide queues glyphs only for the cells that
// can show, yet the window shows exactly what drawing each of its characters
// would: glyphs a little wider than their cell still reach in from the cells
// just outside.
TEST_F(GraphicsPixelTest, AHugeFrameQueuesWhatCanShowAndShowsWhatEveryCharacterWould)
{
    const int width = 3000000;
    const int height = 3;
    const std::string pattern = "W_gjM@";
    std::string text(size_t(width) * height, ' ');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = pattern[i % pattern.size()];
    const Position corner(-width / 2, -1); // the first row lies above the window
    graphics.drawFrame(corner, zp::Frame(width, height, text), false, zp::YELLOW);
    // The 80 columns and one more on each side, over the rows from -1 to 1.
    EXPECT_LE(graphics.getQueuedGlyphCount(), 82 * height);
    EXPECT_GE(graphics.getQueuedGlyphCount(), 80 * 2);
    graphics.swapBuffers();
    const auto lit = [](const sf::Image& image) { return countLitInCell(image, Position(40, 1)) > 0; };
    sf::Image clipped = captureEngineWindowWhen(lit, "clipped.png");
    blankScreen();

    // Each character around the window, one by one.
    for (int y = -1; y < height - 1; ++y)
        for (int x = -3; x <= 82; ++x)
            graphics.drawCh(Position(x, y), text[size_t(y + 1) * size_t(width) + size_t(x + width / 2)],
                            zp::YELLOW);
    graphics.swapBuffers();
    sf::Image every = captureEngineWindowWhen(lit, "every.png");
    EXPECT_EQ(zp::test::differingPixels(clipped, every), 0);
}

TEST_F(GraphicsPixelTest, GlyphsShowAtTheirViewPositionNotTheirWorldPosition)
{
    zp::WorldManager& world = zp::WorldManager::getInstance();
    world.setBoundary(zp::Box(Position(0, 0), 200, 100));
    world.setView(zp::Box(Position(30, 10), 80, 24));
    const Position world_cell(35, 12);
    const Position view_cell(5, 2);
    blankScreen();
    graphics.drawCh(world_cell, '#', zp::YELLOW);
    graphics.swapBuffers();
    const sf::Image screen = captureEngineWindowWhen(
        [&](const sf::Image& image) { return countColorInCell(image, view_cell, sf::Color::Yellow) > 0; },
        "view.png");
    EXPECT_GE(countColorInCell(screen, view_cell, sf::Color::Yellow), GLYPH_PIXELS);
    EXPECT_EQ(countLitInCell(screen, world_cell), 0);
}

// An overlay blanks a box over what was drawn: its cells go black, glyphs
// drawn after it show, and the cells around it keep theirs.
TEST_F(GraphicsPixelTest, AClearedBoxIsBlackUnderWhatIsDrawnAfterIt)
{
    for (int y = 4; y < 9; ++y)
        graphics.drawString(Position(10, y), "##########", zp::LEFT_JUSTIFIED, zp::GREEN);
    ASSERT_EQ(graphics.clearBox(zp::Box(Position(12, 5), 6, 3)), 0);
    graphics.drawCh(Position(14, 6), 'W', zp::RED);
    graphics.swapBuffers();

    const Position over(14, 6);
    sf::Image screen = captureEngineWindowWhen([&](const sf::Image& image) {
        return countColorInCell(image, over, sf::Color::Red) >= GLYPH_PIXELS;
    });
    EXPECT_GE(countColorInCell(screen, over, sf::Color::Red), GLYPH_PIXELS);
    EXPECT_EQ(countColorInCell(screen, over, sf::Color::Green), 0);
    for (Position cleared : {Position(12, 5), Position(13, 5), Position(16, 7), Position(17, 6)})
        EXPECT_EQ(countLitInCell(screen, cleared), 0) << cleared.getX() << "," << cleared.getY();
    for (Position kept : {Position(10, 5), Position(19, 7), Position(14, 4), Position(14, 8)})
        EXPECT_GE(countColorInCell(screen, kept, sf::Color::Green), GLYPH_PIXELS)
            << kept.getX() << "," << kept.getY();
}

// A screenshot holds what the window shows, pixel for pixel, and drawing
// goes on in the window afterwards.
TEST_F(GraphicsPixelTest, AScreenshotIsTheWindowsPicture)
{
    const struct {
        Position cell;
        const char* text;
        zp::Color color;
    } drawn[] = {{{0, 0}, "Top left", zp::WHITE},
                 {{30, 11}, "middle $ 100", zp::YELLOW},
                 {{70, 23}, "corner", zp::CYAN}};
    for (const auto& d : drawn)
        graphics.drawString(d.cell, d.text, zp::LEFT_JUSTIFIED, d.color);
    graphics.clearBox(zp::Box(Position(32, 11), 2, 1));
    graphics.swapBuffers();
    auto lit = [&](const sf::Image& image) {
        for (const auto& d : drawn)
            if (countLitInCell(image, d.cell) == 0)
                return false;
        return true;
    };
    sf::Image window_picture = captureEngineWindowWhen(lit, "window.png");

    ASSERT_EQ(graphics.saveScreenshot("shot.png"), 0);
    sf::Image shot;
    ASSERT_TRUE(shot.loadFromFile("shot.png"));
    EXPECT_EQ(shot.getSize(), sf::Vector2u(1024, 768));
    EXPECT_EQ(zp::test::differingPixels(shot, window_picture), 0);
    EXPECT_EQ(countLitInCell(shot, Position(32, 11)), 0) << "the cleared cells";

    // The window keeps drawing; the screenshot did not disturb it.
    graphics.drawCh(Position(40, 12), 'Z', zp::RED);
    graphics.swapBuffers();
    sf::Image after = captureEngineWindowWhen(
        [](const sf::Image& image) { return countColorInCell(image, Position(40, 12), sf::Color::Red) > 0; });
    EXPECT_GE(countColorInCell(after, Position(40, 12), sf::Color::Red), GLYPH_PIXELS);
    EXPECT_EQ(countLitInCell(after, Position(0, 0)), 0);

    EXPECT_EQ(graphics.saveScreenshot("no-such-folder/shot.png"), -1);
}

} // namespace

// Under each palette a glyph shows in the palette's colour for its colour
// name, and the palette can change between two frames.
TEST_F(GraphicsPixelTest, EachPaletteShowsAGlyphInItsOwnColours)
{
    for (const zp::Palette* p_palette : zp::builtInPalettes()) {
        SCOPED_TRACE(p_palette->name);
        blankScreen();
        graphics.setPalette(*p_palette);
        for (int c = zp::RED; c <= zp::WHITE; ++c)
            graphics.drawCh(Position(10 + 3 * c, 5), 'M', zp::Color(c));
        graphics.swapBuffers();
        auto lit = [&](const sf::Image& image) {
            for (int c = zp::RED; c <= zp::WHITE; ++c)
                if (countColorInCell(image, Position(10 + 3 * c, 5), p_palette->colorOf(zp::Color(c))) <
                    GLYPH_PIXELS)
                    return false;
            return true;
        };
        const sf::Image screen = captureEngineWindowWhen(lit, p_palette->name + ".png");
        for (int c = zp::RED; c <= zp::WHITE; ++c) {
            const Position cell(10 + 3 * c, 5);
            const sf::Color shown = p_palette->colorOf(zp::Color(c));
            const sf::Color usual = zp::defaultPalette().colorOf(zp::Color(c));
            EXPECT_GE(countColorInCell(screen, cell, shown), GLYPH_PIXELS) << "colour " << c;
            if (shown != usual) {
                EXPECT_EQ(countColorInCell(screen, cell, usual), 0) << "colour " << c;
            }
        }
    }
}

// A shaded cell's background is a fifth of its colour, under a glyph
// drawn before or after the tint; its neighbours stay black, and a
// screenshot shows the tint too.
TEST_F(GraphicsPixelTest, AShadedCellIsFaintlyTintedUnderItsGlyph)
{
    graphics.setPalette(zp::colourBlindPalette());
    const Position before(20, 8);
    const Position after(21, 8);
    const Position bare(22, 8);
    graphics.drawCh(before, '|', zp::WHITE);
    graphics.shadeCell(before, zp::CYAN);
    graphics.shadeCell(after, zp::CYAN);
    graphics.drawCh(after, '|', zp::WHITE);
    graphics.shadeCell(bare, zp::YELLOW);
    graphics.swapBuffers();

    const sf::Color cyan = zp::colourBlindPalette().colorOf(zp::CYAN);
    const sf::Color yellow = zp::colourBlindPalette().colorOf(zp::YELLOW);
    // A fifth of the colour over black, rounded either way by the blending.
    auto faint = [](sf::Color colour) {
        return [colour](sf::Color pixel) {
            auto near = [](int shown, int full) { return std::abs(shown - full / 5) <= 1; };
            return near(pixel.r, colour.r) && near(pixel.g, colour.g) && near(pixel.b, colour.b);
        };
    };
    const int cell_pixels = 12 * 32;
    auto ready = [&](const sf::Image& image) {
        return zp::test::countInCell(image, bare, faint(yellow)) > cell_pixels / 2;
    };
    const sf::Image screen = captureEngineWindowWhen(ready, "shaded.png");
    for (Position cell : {before, after}) {
        SCOPED_TRACE(cell.getX());
        EXPECT_GE(countColorInCell(screen, cell, sf::Color::White), GLYPH_PIXELS) << "the glyph on top";
        EXPECT_GT(zp::test::countInCell(screen, cell, faint(cyan)), cell_pixels / 2) << "the tint around it";
    }
    EXPECT_GE(zp::test::countInCell(screen, bare, faint(yellow)), cell_pixels - 13) << "the whole cell";
    EXPECT_EQ(countLitInCell(screen, Position(20, 7)), 0);
    EXPECT_EQ(countLitInCell(screen, Position(23, 8)), 0);
    EXPECT_EQ(countLitInCell(screen, Position(22, 9)), 0);

    ASSERT_EQ(graphics.saveScreenshot("shaded-shot.png"), 0);
    sf::Image shot;
    ASSERT_TRUE(shot.loadFromFile("shaded-shot.png"));
    EXPECT_EQ(zp::test::differingPixels(shot, screen), 0);
}
