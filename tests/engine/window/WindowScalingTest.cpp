// The real window at other sizes than the base size's: resized as a player
// would (through the X server), maximised or fullscreen, with the grid
// scaled and centred, the letterbox black, the glyphs rasterised for the
// cells' size, the mouse mapped through both, and frames that redraw only
// what changed yet show exactly what a whole frame shows.
#include "support/EngineFixture.h"
#include "support/RecordingObject.h"
#include "support/Shell.h"
#include "support/WindowCapture.h"

#include "zp/EventMouse.h"
#include "zp/GraphicsManager.h"
#include "zp/InputManager.h"

#include <SFML/Graphics.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using zp::Position;
using zp::test::captureEngineWindowWhen;

// Enough pixels of a colour to be a glyph rather than an edge.
const int GLYPH_PIXELS = 12;
// A last bit of a colour channel either way.
const int ROUNDING = 1;

// The grid in a window, as the player sees it: its rectangle, from which
// the cells are spread evenly (80 x 24).
struct Grid {
    int left, top, width, height;

    Position origin(Position cell) const
    {
        return Position(left + (cell.getX() * width + 79) / 80, top + (cell.getY() * height + 23) / 24);
    }
    bool contains(int x, int y) const
    {
        return x >= left && y >= top && x < left + width && y < top + height;
    }
};

int countInRect(const sf::Image& image, Position from, Position to,
                const std::function<bool(sf::Color)>& match)
{
    int count = 0;
    for (int y = std::max(0, from.getY()); y < to.getY() && y < int(image.getSize().y); ++y)
        for (int x = std::max(0, from.getX()); x < to.getX() && x < int(image.getSize().x); ++x)
            count += match(image.getPixel(unsigned(x), unsigned(y))) ? 1 : 0;
    return count;
}

int colorInCell(const sf::Image& image, const Grid& grid, Position cell, sf::Color color)
{
    return countInRect(image, grid.origin(cell), grid.origin(Position(cell.getX() + 1, cell.getY() + 1)),
                       [color](sf::Color pixel) { return pixel == color; });
}

// Lit pixels of the window outside the grid.
int litOnTheLetterbox(const sf::Image& image, const Grid& grid)
{
    int lit = 0;
    for (unsigned y = 0; y < image.getSize().y; ++y)
        for (unsigned x = 0; x < image.getSize().x; ++x)
            if (!grid.contains(int(x), int(y)) && image.getPixel(x, y) != sf::Color::Black)
                ++lit;
    return lit;
}

// Pixels whose channels differ by more than `tolerance`.
int differingPixels(const sf::Image& a, const sf::Image& b, int tolerance = 0)
{
    if (a.getSize() != b.getSize())
        return -1;
    int count = 0;
    for (unsigned y = 0; y < a.getSize().y; ++y) {
        for (unsigned x = 0; x < a.getSize().x; ++x) {
            const sf::Color p = a.getPixel(x, y), q = b.getPixel(x, y);
            count += std::abs(p.r - q.r) > tolerance || std::abs(p.g - q.g) > tolerance ||
                             std::abs(p.b - q.b) > tolerance
                         ? 1
                         : 0;
        }
    }
    return count;
}

class WindowScalingTest : public zp::test::EngineFixture {
protected:
    WindowScalingTest() : EngineFixture(zp::test::Screen::WINDOW) {}

    std::string windowId() const { return std::to_string(graphics.getWindow()->getSystemHandle()); }

    // Reads the window's events until the condition holds (or a generous deadline).
    void pumpUntil(const std::function<bool()>& done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            input.getInput();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    // The player drags the window to a new size: the X server resizes it, and
    // the engine hears of it through the window's events.
    void resizeAsAPlayer(unsigned width, unsigned height)
    {
        // Kept on the screen, as a desktop keeps it.
        zp::test::commandOutput("xdotool windowmove " + windowId() + " 0 0 windowsize " + windowId() + " " +
                                std::to_string(width) + " " + std::to_string(height));
        pumpUntil([&] { return graphics.getWindowSize() == sf::Vector2u(width, height); });
        ASSERT_EQ(graphics.getWindowSize(), sf::Vector2u(width, height));
    }

    sf::Image captureSized(sf::Vector2u size, const std::function<bool(const sf::Image&)>& ready,
                           const std::string& name)
    {
        return captureEngineWindowWhen(
            [&](const sf::Image& image) { return image.getSize() == size && ready(image); }, name);
    }

    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    zp::InputManager& input = zp::InputManager::getInstance();
};

TEST_F(WindowScalingTest, AResizedWindowScalesTheGridCentredWithTheRestBlack)
{
    const struct {
        unsigned width, height;
        Grid grid;
    } sizes[] = {
        {640, 480, {0, 0, 640, 480}},       // smaller than the base size
        {1920, 1080, {240, 0, 1440, 1080}}, // wide: bars left and right
        {2560, 1080, {560, 0, 1440, 1080}}, // wider still
        {1024, 1000, {0, 116, 1024, 768}},  // tall: bars above and below
        {1024, 768, {0, 0, 1024, 768}},     // back to own
    };
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
        ASSERT_NO_FATAL_FAILURE(resizeAsAPlayer(size.width, size.height));
        EXPECT_EQ(graphics.getHorizontalChars(), 80);
        EXPECT_EQ(graphics.getWindowedSize(), sf::Vector2u(size.width, size.height));
        graphics.drawCh(Position(0, 0), 'M', zp::RED);
        graphics.drawCh(Position(79, 23), 'W', zp::GREEN);
        graphics.drawString(Position(30, 12), "middle", zp::LEFT_JUSTIFIED, zp::YELLOW);
        graphics.swapBuffers();
        const auto drawn = [&](const sf::Image& image) {
            return colorInCell(image, size.grid, Position(0, 0), sf::Color::Red) >= GLYPH_PIXELS &&
                   colorInCell(image, size.grid, Position(79, 23), sf::Color::Green) >= GLYPH_PIXELS &&
                   colorInCell(image, size.grid, Position(32, 12), sf::Color::Yellow) >= GLYPH_PIXELS;
        };
        const sf::Image screen = captureSized(sf::Vector2u(size.width, size.height), drawn, "resized.png");
        ASSERT_EQ(screen.getSize(), sf::Vector2u(size.width, size.height));
        EXPECT_TRUE(drawn(screen)) << "the corners' and the middle's glyphs in their scaled cells";
        EXPECT_EQ(litOnTheLetterbox(screen, size.grid), 0) << "nothing drawn on the bars";
        EXPECT_EQ(colorInCell(screen, size.grid, Position(3, 0), sf::Color::Red), 0);
    }
}

// At twice size a glyph is the font's text rasterised at twice
// the height (52 pixels), pixel for pixel; not the 26-pixel glyph stretched.
TEST_F(WindowScalingTest, AtTwiceTheSizeGlyphsAreTheFontRenderedAtTwiceTheHeight)
{
    ASSERT_NO_FATAL_FAILURE(resizeAsAPlayer(2048, 1536));
    EXPECT_EQ(graphics.getLayout().character_size, 52u);
    const Grid grid{0, 0, 2048, 1536};
    const struct {
        Position cell;
        char ch;
    } drawn[] = {{{3, 2}, 'g'}, {{10, 5}, 'W'}, {{40, 12}, '@'}, {{77, 20}, 'Q'}, {{79, 23}, '%'}};
    for (const auto& d : drawn)
        graphics.drawCh(d.cell, d.ch, zp::WHITE);
    graphics.swapBuffers();
    const auto lit = [&](const sf::Image& image) {
        for (const auto& d : drawn)
            if (colorInCell(image, grid, d.cell, sf::Color::White) < GLYPH_PIXELS)
                return false;
        return true;
    };
    const sf::Image engine = captureSized(sf::Vector2u(2048, 1536), lit, "twice.png");

    sf::Font font;
    ASSERT_TRUE(font.loadFromFile("zp-font.ttf"));
    sf::RenderWindow& window = *graphics.getWindow();
    const auto drawReference = [&](bool stretched) {
        window.clear(sf::Color::Black);
        for (const auto& d : drawn) {
            sf::Text text =
                zp::test::glyphText(font, d.ch, stretched ? 26 : 52, grid.origin(d.cell), sf::Color::White);
            // glyph, made twice as large.
            if (stretched)
                text.setScale(2.f, 2.f);
            window.draw(text);
        }
        window.display();
        graphics.redrawWhole();
    };
    drawReference(false);
    const sf::Image rendered_at_52 = captureSized(sf::Vector2u(2048, 1536), lit, "font-at-52.png");
    drawReference(true);
    const sf::Image stretched = captureSized(sf::Vector2u(2048, 1536), lit, "stretched-26.png");

    // The same but for rounding: the glyphs are laid once into a texture of
    // their own, then copied, where the text is filtered at its own place.
    EXPECT_EQ(differingPixels(engine, rendered_at_52, ROUNDING), 0);
    int glyph_pixels = 0;
    for (const auto& d : drawn)
        glyph_pixels += colorInCell(rendered_at_52, grid, d.cell, sf::Color::White);
    EXPECT_GT(differingPixels(engine, stretched, ROUNDING), glyph_pixels / 5)
        << "not a small image stretched";
}

TEST_F(WindowScalingTest, IntegerScalingUsesWholeMultiplesOfTheBaseCells)
{
    graphics.setScaling(zp::SCALE_INTEGER);
    const struct {
        unsigned width, height;
        Grid grid;
        unsigned character_size;
    } sizes[] = {
        {1920, 1080, {448, 156, 1024, 768}, 26},
        {2560, 1600, {256, 32, 2048, 1536}, 52},
        {640, 480, {0, 0, 640, 480}, 16}, // smaller than the base size: fitted all the same
    };
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
        ASSERT_NO_FATAL_FAILURE(resizeAsAPlayer(size.width, size.height));
        EXPECT_EQ(graphics.getLayout().character_size, size.character_size);
        graphics.drawCh(Position(0, 0), '#', zp::CYAN);
        graphics.drawCh(Position(79, 23), '#', zp::CYAN);
        graphics.swapBuffers();
        const auto drawn = [&](const sf::Image& image) {
            return colorInCell(image, size.grid, Position(0, 0), sf::Color::Cyan) >= GLYPH_PIXELS &&
                   colorInCell(image, size.grid, Position(79, 23), sf::Color::Cyan) >= GLYPH_PIXELS;
        };
        const sf::Image screen = captureSized(sf::Vector2u(size.width, size.height), drawn, "integer.png");
        EXPECT_TRUE(drawn(screen));
        EXPECT_EQ(litOnTheLetterbox(screen, size.grid), 0);
    }
}

TEST_F(WindowScalingTest, ThePointerMapsThroughTheScaleAndTheLetterboxHasNoCell)
{
    std::vector<std::string> seen;
    auto* p_listener = new zp::test::RecordingObject;
    p_listener->on_event = [&](zp::test::RecordingObject&, const zp::Event* p_event) {
        if (p_event->getType() != zp::MOUSE_EVENT)
            return;
        const auto* p_mouse = static_cast<const zp::EventMouse*>(p_event);
        if (p_mouse->getMouseAction() == zp::PRESSED)
            return;
        seen.push_back(std::string(p_mouse->getMouseAction() == zp::CLICKED ? "clicked " : "moved ") +
                       std::to_string(p_mouse->getMousePosition().getX()) + "," +
                       std::to_string(p_mouse->getMousePosition().getY()));
    };
    const auto saw = [&](const std::string& what) {
        return std::find(seen.begin(), seen.end(), what) != seen.end();
    };
    ASSERT_NO_FATAL_FAILURE(resizeAsAPlayer(1920, 1080));
    const std::string xdotool = "xdotool mousemove --window " + windowId() + " ";

    // The middle of cell (40, 12): 240 + 40 x 18 + 9 across, 12 x 45 + 22 down.
    zp::test::commandOutput(xdotool + "969 562 click 1");
    pumpUntil([&] { return saw("clicked 40,12"); });
    EXPECT_TRUE(saw("moved 40,12"));
    EXPECT_TRUE(saw("clicked 40,12"));
    // The last cell's last pixel, then the first pixel of the right bar.
    zp::test::commandOutput(xdotool + "1679 1079 click 1");
    pumpUntil([&] { return saw("clicked 79,23"); });
    EXPECT_TRUE(saw("clicked 79,23"));

    seen.clear();
    zp::test::commandOutput(xdotool + "1680 500 click 1");
    zp::test::commandOutput(xdotool + "100 300 click 3");
    // A move back onto the grid marks the end of what the bars produced.
    zp::test::commandOutput(xdotool + "258 45");
    pumpUntil([&] { return saw("moved 1,1"); });
    ASSERT_TRUE(saw("moved 1,1"));
    EXPECT_EQ(seen, std::vector<std::string>{"moved 1,1"}) << "moves and clicks on the bars give nothing";
}

// Fullscreen covers the screen (here the test's X server, 2560 x 1600) with
// the grid centred; back to windowed, the window has its size again. F11 and
// Alt+Enter do the same once the keys are on.
TEST_F(WindowScalingTest, FullscreenCoversTheScreenAndComesBackToTheWindowedSize)
{
    ASSERT_EQ(graphics.setWindowedSize(1280, 720), 0);
    pumpUntil([&] { return graphics.getWindowSize() == sf::Vector2u(1280, 720); });
    const sf::VideoMode screen = sf::VideoMode::getDesktopMode();
    const Grid fullscreen_grid{int(screen.width - screen.height * 4 / 3) / 2, 0, int(screen.height * 4 / 3),
                               int(screen.height)};

    const auto showsCornersIn = [&](sf::Vector2u size, const Grid& grid) {
        graphics.drawCh(Position(0, 0), 'M', zp::RED);
        graphics.drawCh(Position(79, 23), 'W', zp::GREEN);
        graphics.swapBuffers();
        const sf::Image image = captureSized(
            size,
            [&](const sf::Image& shot) {
                return colorInCell(shot, grid, Position(0, 0), sf::Color::Red) >= GLYPH_PIXELS &&
                       colorInCell(shot, grid, Position(79, 23), sf::Color::Green) >= GLYPH_PIXELS;
            },
            "fullscreen.png");
        EXPECT_EQ(image.getSize(), size);
        EXPECT_EQ(litOnTheLetterbox(image, grid), 0);
    };

    graphics.setFullscreen(true);
    EXPECT_TRUE(graphics.isFullscreen());
    EXPECT_EQ(graphics.getWindowSize(), sf::Vector2u(screen.width, screen.height));
    EXPECT_EQ(graphics.getLayout().left, fullscreen_grid.left);
    EXPECT_EQ(graphics.getWindowedSize(), sf::Vector2u(1280, 720)) << "kept for coming back";
    const std::string geometry = zp::test::commandOutput("xdotool getwindowgeometry " + windowId());
    EXPECT_NE(geometry.find(std::to_string(screen.width) + "x" + std::to_string(screen.height)),
              std::string::npos)
        << geometry;
    showsCornersIn(sf::Vector2u(screen.width, screen.height), fullscreen_grid);

    graphics.setFullscreen(false);
    EXPECT_EQ(graphics.getWindowSize(), sf::Vector2u(1280, 720));
    showsCornersIn(sf::Vector2u(1280, 720), Grid{160, 0, 960, 720});

    // The keys, through the window.
    input.setFullscreenKeys(true);
    zp::test::commandOutput("xdotool mousemove --window " + windowId() + " 600 300 key --window " +
                            windowId() + " F11");
    pumpUntil([&] { return graphics.isFullscreen(); });
    EXPECT_TRUE(graphics.isFullscreen()) << "F11";
    zp::test::commandOutput("xdotool mousemove 600 300 key alt+Return");
    pumpUntil([&] { return !graphics.isFullscreen(); });
    EXPECT_FALSE(graphics.isFullscreen()) << "Alt+Enter";
    EXPECT_EQ(graphics.getWindowSize(), sf::Vector2u(1280, 720));
}

TEST_F(WindowScalingTest, AScreenshotIsTakenAtTheWindowsOwnSize)
{
    ASSERT_NO_FATAL_FAILURE(resizeAsAPlayer(1600, 900));
    const Grid grid{200, 0, 1200, 900};
    graphics.drawString(Position(0, 0), "Top left", zp::LEFT_JUSTIFIED, zp::WHITE);
    graphics.drawString(Position(70, 23), "corner", zp::LEFT_JUSTIFIED, zp::CYAN);
    graphics.swapBuffers();
    const sf::Image window_picture = captureSized(
        sf::Vector2u(1600, 900),
        [&](const sf::Image& image) {
            return colorInCell(image, grid, Position(70, 23), sf::Color::Cyan) > 0;
        },
        "window.png");
    ASSERT_EQ(graphics.saveScreenshot("shot.png"), 0);
    sf::Image shot;
    ASSERT_TRUE(shot.loadFromFile("shot.png"));
    EXPECT_EQ(shot.getSize(), sf::Vector2u(1600, 900));
    EXPECT_EQ(differingPixels(shot, window_picture), 0);
}

// Frame after frame, only the cells whose pixels can differ are drawn again
// and shown, yet the window shows exactly the whole frame (the screenshot
// draws it whole): sprites moving over a board, glyphs overlapping their
// neighbours, colours changing, two characters in one cell, a cleared box.
TEST_F(WindowScalingTest, FramesThatRedrawOnlyWhatChangedShowWhatWholeFramesShow)
{
    for (const auto& size : {sf::Vector2u(1024, 768), sf::Vector2u(1920, 1080)}) {
        SCOPED_TRACE(testing::Message() << size.x << " x " << size.y);
        ASSERT_NO_FATAL_FAILURE(resizeAsAPlayer(size.x, size.y));
        const std::string board = "W#gj|_%@MQ";
        const auto drawFrame = [&](int frame) {
            for (int y = 0; y < 24; y += 2)
                for (int x = y % 3; x < 80; x += 3)
                    graphics.drawCh(Position(x, y), board[size_t(x + y) % board.size()], zp::BLUE);
            for (int i = 0; i < 8; ++i) {
                const int x = (i * 11 + frame * (1 + i % 2)) % 84 - 3;
                const int y = (i * 3) % 23;
                graphics.drawString(Position(x, y), "<O>", zp::LEFT_JUSTIFIED,
                                    zp::Color(1 + (frame + i) % 7));
                graphics.drawString(Position(x, y + 1), "/W\\", zp::LEFT_JUSTIFIED, zp::YELLOW);
            }
            graphics.drawCh(Position(frame * 37 % 80, frame * 11 % 24), 'j', zp::MAGENTA);
            graphics.drawCh(Position(40, 12), frame % 2 ? '-' : '|', zp::RED);
            graphics.drawCh(Position(40, 12), '+', zp::GREEN);
            if (frame % 3 == 0)
                graphics.clearBox(zp::Box(Position(20 + frame % 5, 8), 6, 3));
        };
        // The resize's own whole frames first: the new size, then what the
        // display lost meanwhile, which it reports a moment later.
        for (int settle = 0; settle < 3; ++settle) {
            drawFrame(0);
            graphics.swapBuffers();
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        for (int frame = 1; frame <= 6; ++frame) {
            drawFrame(frame);
            graphics.swapBuffers();
            const zp::FrameCost cost = graphics.getLastFrameCost();
            EXPECT_FALSE(cost.whole) << "frame " << frame;
            EXPECT_GT(cost.cells_redrawn, 0);
            EXPECT_LT(cost.cells_redrawn, 80 * 24 / 2);
            ASSERT_EQ(graphics.saveScreenshot("whole.png"), 0);
            sf::Image whole;
            ASSERT_TRUE(whole.loadFromFile("whole.png"));
            const sf::Image shown = captureSized(
                size, [&](const sf::Image& image) { return differingPixels(image, whole) == 0; },
                "parts.png");
            ASSERT_EQ(differingPixels(shown, whole), 0) << "frame " << frame;
        }
        // The same frame again changes nothing and redraws nothing.
        drawFrame(6);
        graphics.swapBuffers();
        drawFrame(6);
        graphics.swapBuffers();
        EXPECT_EQ(graphics.getLastFrameCost().cells_redrawn, 0);
    }
}

} // namespace
