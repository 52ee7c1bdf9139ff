// What a frame costs the graphics manager at three window sizes, side by
// side in one run: a full screen of characters that all change every frame,
// and a game-like frame where about one cell in ten changes (a board with
// two dozen three-by-two sprites walking across it, one cell a frame). The
// yardsticks, at 1024 x 768 in the same window: the renderer as it was before
// (every glyph of the frame in one batch, drawn whole and swapped every
// frame), and one sf::Text draw per character.
//
// Needs an X screen of at least 3840 x 2160, from the build folder (the font
// is loaded from the working directory):
//   ZP_XVFB_SCREEN=3840x2160x24 ../scripts/with-display.sh ./graphics_bench [rounds]
// Vertical sync is off, so showing a frame does not wait for a screen refresh.
#include "zp/GraphicsManager.h"

#include <SFML/Graphics.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const int COLUMNS = zp::WINDOW_HORIZONTAL_CHARS_DEFAULT;
const int ROWS = zp::WINDOW_VERTICAL_CHARS_DEFAULT;
const int PRINTABLE_FIRST = 33;
const int PRINTABLE_COUNT = 94;
// Each round measures a block of frames of every variant in turn, so the
// load of a shared machine falls on all of them alike; the figures are the
// medians over the rounds.
const int FRAMES_PER_BLOCK = 10;
const int ROUNDS_DEFAULT = 15;
const int WARM_UP_FRAMES = 2;
// The game-like scene: sprites of three by two cells, one per row, walking
// one cell a frame; each step changes four columns of two rows, 8 cells of
// each sprite, 192 of the screen's 1,920.
const int SPRITES = 24;
const int SPRITE_WIDTH = 3;
const char* const SPRITE_ROWS[] = {"<O>", "/ \\"};
// The previous renderer's font size and cell height.
const unsigned PREVIOUS_CHARACTER_SIZE = 26;

struct Size {
    unsigned width, height;
};
const Size SIZES[] = {{1024, 768}, {1920, 1080}, {3840, 2160}};
const int SIZE_COUNT = 3;

char screenChar(int x, int y, int frame)
{
    return char(PRINTABLE_FIRST + (x + y * 7 + frame) % PRINTABLE_COUNT);
}

zp::Color screenColor(int x, int y)
{
    return zp::Color(1 + (x + y) % 7); // red ... white, never black
}

// The whole screen, shifted by one character every frame.
void drawFullScene(zp::GraphicsManager& graphics, int frame)
{
    for (int y = 0; y < ROWS; ++y)
        for (int x = 0; x < COLUMNS; ++x)
            graphics.drawCh(zp::Position(x, y), screenChar(x, y, frame), screenColor(x, y));
}

// A board that stays (every other cell of a checkerboard holds a
// character), with the sprites over it.
void drawGameScene(zp::GraphicsManager& graphics, int frame)
{
    for (int y = 0; y < ROWS; ++y)
        for (int x = (y % 2); x < COLUMNS; x += 2)
            graphics.drawCh(zp::Position(x, y), screenChar(x, y, 0), zp::BLUE);
    const int track = COLUMNS + SPRITE_WIDTH;
    for (int i = 0; i < SPRITES; ++i) {
        const int x = (i * 13 + frame) % track - SPRITE_WIDTH;
        const int y = (i * 2) % (ROWS - 1);
        for (int row = 0; row < 2; ++row)
            graphics.drawString(zp::Position(x, y + row), SPRITE_ROWS[row], zp::LEFT_JUSTIFIED, zp::YELLOW);
    }
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds per frame of `frames` frames made by `one_frame`.
double timeFrames(const std::function<void(int)>& one_frame, int first_frame, int frames)
{
    const auto start = Clock::now();
    for (int f = first_frame; f < first_frame + frames; ++f)
        one_frame(f);
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / frames;
}

// The renderer as it was: each glyph one quad of the sf::Text shape, all in
// one batch, drawn whole into the window and swapped every frame.
class PreviousRenderer {
public:
    explicit PreviousRenderer(sf::RenderWindow& target) : window(target)
    {
        font.loadFromFile(zp::FONT_FILE_DEFAULT);
        for (int code = 32; code < 127; ++code)
            font.getGlyph(sf::Uint32(code), PREVIOUS_CHARACTER_SIZE, true);
    }
    void frame(int number)
    {
        batch.clear();
        for (int y = 0; y < ROWS; ++y)
            for (int x = 0; x < COLUMNS; ++x)
                addGlyph(zp::spacesToPixels(zp::Position(x, y)), screenChar(x, y, number), screenColor(x, y));
        window.draw(batch, sf::RenderStates(&font.getTexture(PREVIOUS_CHARACTER_SIZE)));
        window.display();
        window.clear(sf::Color::Black);
    }

private:
    void addGlyph(zp::Position pixel, char ch, zp::Color color)
    {
        static const sf::Color colors[] = {sf::Color::Black,  sf::Color::Red,  sf::Color::Green,
                                           sf::Color::Yellow, sf::Color::Blue, sf::Color::Magenta,
                                           sf::Color::Cyan,   sf::Color::White};
        const sf::Glyph& glyph = font.getGlyph(sf::Uint32(ch), PREVIOUS_CHARACTER_SIZE, true);
        const float x = float(pixel.getX());
        const float y = float(pixel.getY()) + PREVIOUS_CHARACTER_SIZE;
        const float l = x + glyph.bounds.left - 1, t = y + glyph.bounds.top - 1;
        const float r = x + glyph.bounds.left + glyph.bounds.width + 1;
        const float b = y + glyph.bounds.top + glyph.bounds.height + 1;
        const float u1 = float(glyph.textureRect.left) - 1, v1 = float(glyph.textureRect.top) - 1;
        const float u2 = float(glyph.textureRect.left + glyph.textureRect.width) + 1;
        const float v2 = float(glyph.textureRect.top + glyph.textureRect.height) + 1;
        const sf::Color& c = colors[color];
        batch.append(sf::Vertex(sf::Vector2f(l, t), c, sf::Vector2f(u1, v1)));
        batch.append(sf::Vertex(sf::Vector2f(r, t), c, sf::Vector2f(u2, v1)));
        batch.append(sf::Vertex(sf::Vector2f(l, b), c, sf::Vector2f(u1, v2)));
        batch.append(sf::Vertex(sf::Vector2f(l, b), c, sf::Vector2f(u1, v2)));
        batch.append(sf::Vertex(sf::Vector2f(r, t), c, sf::Vector2f(u2, v1)));
        batch.append(sf::Vertex(sf::Vector2f(r, b), c, sf::Vector2f(u2, v2)));
    }

    sf::RenderWindow& window;
    sf::Font font;
    sf::VertexArray batch{sf::Triangles};
};

// One sf::Text draw per character, as characters were drawn before batching.
class TextPerCharacter {
public:
    explicit TextPerCharacter(sf::RenderWindow& target) : window(target)
    {
        font.loadFromFile(zp::FONT_FILE_DEFAULT);
        text = sf::Text("", font, PREVIOUS_CHARACTER_SIZE);
        text.setStyle(sf::Text::Bold);
    }
    void frame(int number)
    {
        static const sf::Color colors[] = {sf::Color::Black,  sf::Color::Red,  sf::Color::Green,
                                           sf::Color::Yellow, sf::Color::Blue, sf::Color::Magenta,
                                           sf::Color::Cyan,   sf::Color::White};
        for (int y = 0; y < ROWS; ++y) {
            for (int x = 0; x < COLUMNS; ++x) {
                const zp::Position pixel = zp::spacesToPixels(zp::Position(x, y));
                text.setString(std::string(1, screenChar(x, y, number)));
                text.setFillColor(colors[screenColor(x, y)]);
                text.setPosition(float(pixel.getX()), float(pixel.getY()));
                window.draw(text);
            }
        }
        window.display();
        window.clear(sf::Color::Black);
    }

private:
    sf::RenderWindow& window;
    sf::Font font;
    sf::Text text;
};

struct Figures {
    std::vector<double> full[SIZE_COUNT];
    std::vector<double> game[SIZE_COUNT];
    std::vector<double> full_cells[SIZE_COUNT];
    std::vector<double> game_cells[SIZE_COUNT];
    std::vector<double> previous;
    std::vector<double> text_per_character;
};

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : ROUNDS_DEFAULT;
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    if (graphics.startUp() != 0) {
        std::fprintf(stderr, "graphics_bench: cannot open the window or load zp-font.ttf\n");
        return 1;
    }
    const sf::VideoMode screen = sf::VideoMode::getDesktopMode();
    if (screen.width < SIZES[SIZE_COUNT - 1].width || screen.height < SIZES[SIZE_COUNT - 1].height)
        std::fprintf(stderr,
                     "graphics_bench: the screen is %u x %u, smaller than the largest window; run it with "
                     "ZP_XVFB_SCREEN=3840x2160x24 ../scripts/with-display.sh ./graphics_bench\n",
                     screen.width, screen.height);
    sf::RenderWindow& window = *graphics.getWindow();
    window.setVerticalSyncEnabled(false);
    PreviousRenderer previous(window);
    TextPerCharacter text_per_character(window);

    Figures figures;
    int frame = 0;
    int cells = 0;
    const auto engineFrame = [&](void (*scene)(zp::GraphicsManager&, int)) {
        return [&graphics, &cells, scene](int number) {
            scene(graphics, number);
            graphics.swapBuffers();
            cells += graphics.getLastFrameCost().cells_redrawn;
        };
    };
    const auto fullFrame = engineFrame(drawFullScene);
    const auto gameFrame = engineFrame(drawGameScene);

    for (int round = 0; round < rounds; ++round) {
        for (int s = 0; s < SIZE_COUNT; ++s) {
            graphics.setWindowedSize(int(SIZES[s].width), int(SIZES[s].height));
            if (s == 0) {
                window.clear(sf::Color::Black);
                timeFrames([&](int n) { previous.frame(n); }, frame, WARM_UP_FRAMES);
                figures.previous.push_back(
                    timeFrames([&](int n) { previous.frame(n); }, frame, FRAMES_PER_BLOCK));
                figures.text_per_character.push_back(
                    timeFrames([&](int n) { text_per_character.frame(n); }, frame, FRAMES_PER_BLOCK / 2));
                // The window was drawn into by other means: the engine's next frame is whole.
                graphics.redrawWhole();
            }
            timeFrames(fullFrame, frame, WARM_UP_FRAMES);
            cells = 0;
            figures.full[s].push_back(timeFrames(fullFrame, frame, FRAMES_PER_BLOCK));
            figures.full_cells[s].push_back(double(cells) / FRAMES_PER_BLOCK);
            frame += FRAMES_PER_BLOCK;
            timeFrames(gameFrame, frame, WARM_UP_FRAMES);
            cells = 0;
            figures.game[s].push_back(timeFrames(gameFrame, frame + WARM_UP_FRAMES, FRAMES_PER_BLOCK));
            figures.game_cells[s].push_back(double(cells) / FRAMES_PER_BLOCK);
            frame += FRAMES_PER_BLOCK + WARM_UP_FRAMES;
        }
    }

    std::printf("graphics bench: %d x %d cells, median of %d rounds of %d frames each (vertical sync off)\n",
                COLUMNS, ROWS, rounds, FRAMES_PER_BLOCK);
    std::printf("  %s\n\n", median(figures.game_cells[0]) < COLUMNS * ROWS
                                ? "only the cells that changed are drawn and shown"
                                : "this system shows whole frames only: every frame is drawn whole");
    std::printf("  %-34s", "window");
    for (const Size& size : SIZES)
        std::printf("  %4u x %-4u", size.width, size.height);
    std::printf("\n  %-34s", "full screen changes, ms a frame");
    for (int s = 0; s < SIZE_COUNT; ++s)
        std::printf("  %11.2f", median(figures.full[s]));
    std::printf("\n  %-34s", "game-like frame, ms a frame");
    for (int s = 0; s < SIZE_COUNT; ++s)
        std::printf("  %11.2f", median(figures.game[s]));
    std::printf("\n  %-34s", "game-like / full screen");
    for (int s = 0; s < SIZE_COUNT; ++s)
        std::printf("  %11.2f", median(figures.game[s]) / median(figures.full[s]));
    std::printf("\n  %-34s", "cells redrawn a frame, full");
    for (int s = 0; s < SIZE_COUNT; ++s)
        std::printf("  %11.0f", median(figures.full_cells[s]));
    std::printf("\n  %-34s", "cells redrawn a frame, game-like");
    for (int s = 0; s < SIZE_COUNT; ++s)
        std::printf("  %11.0f", median(figures.game_cells[s]));
    const double previous_full = median(figures.previous);
    std::printf("\n\n  yardsticks at 1024 x 768, full screen changes:\n");
    std::printf("    the renderer before (whole batch, swapped):  %6.2f ms\n", previous_full);
    std::printf("    one sf::Text draw per character:             %6.2f ms\n",
                median(figures.text_per_character));

    const double game_1080 = median(figures.game[1]);
    const double full_1080 = median(figures.full[1]);
    const double full_768 = median(figures.full[0]);
    const auto verdict = [](bool met) { return met ? "met" : "NOT MET"; };
    std::printf("\n  targets:\n");
    std::printf("    1920 x 1080 game-like <= 1/3 of its full screen:    %.2f <= %.2f ms  %s\n", game_1080,
                full_1080 / 3, verdict(game_1080 <= full_1080 / 3));
    std::printf("    1920 x 1080 game-like <= the full screen before:    %.2f <= %.2f ms  %s\n", game_1080,
                previous_full, verdict(game_1080 <= previous_full));
    std::printf("    1024 x 768 full screen <= the full screen before:   %.2f <= %.2f ms  %s\n", full_768,
                previous_full, verdict(full_768 <= previous_full));
    graphics.shutDown();
    return 0;
}
