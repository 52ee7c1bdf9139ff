#include "zp/GraphicsManager.h"

#include "platform/Platform.h"
#include "zp/LogManager.h"

#include <algorithm>
#include <cstdint>

namespace zp {

namespace {

// Twice the smaller cell size rounded up: 2 x 13.
const unsigned int CHARACTER_SIZE = 26;
const int FIRST_PRINTABLE = 32;
const int LAST_PRINTABLE = 126;
const sf::Color CLEAR_COLOR(0, 0, 0, 255);
// Every page of an SFML font texture keeps a small white square at its top
// left (for underlines); a quad that samples it is filled with its colour.
const sf::Vector2f WHITE_TEXEL(1.f, 1.f);

const sf::Color& toSfmlColor(Color color)
{
    static const sf::Color colors[] = {
        sf::Color::Black, sf::Color::Red,     sf::Color::Green, sf::Color::Yellow,
        sf::Color::Blue,  sf::Color::Magenta, sf::Color::Cyan,  sf::Color::White,
    };
    return colors[color];
}

bool isEngineColor(Color color)
{
    return color >= BLACK && color <= WHITE;
}

std::int64_t ceilDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t quotient = a / b;
    return (a % b != 0 && (a > 0) == (b > 0)) ? quotient + 1 : quotient;
}

// First pixel of a cell along one axis: ceil(cell x pixels / cells).
int cellToPixel(int cell, int pixels, int cells)
{
    return static_cast<int>(ceilDiv(static_cast<std::int64_t>(cell) * pixels, cells));
}

// The cell a pixel lies in along one axis (truncated toward zero).
int pixelToCell(int pixel, int pixels, int cells)
{
    return static_cast<int>(static_cast<std::int64_t>(pixel) * cells / pixels);
}

} // namespace

GraphicsManager& GraphicsManager::getInstance()
{
    static GraphicsManager instance;
    return instance;
}

GraphicsManager::GraphicsManager()
    : drawn_cells(static_cast<size_t>(WINDOW_HORIZONTAL_CHARS_DEFAULT * WINDOW_VERTICAL_CHARS_DEFAULT)),
      shown_cells(drawn_cells.size())
{
    setType("GraphicsManager");
}

int GraphicsManager::startUp()
{
    window_horizontal_pixels = WINDOW_HORIZONTAL_PIXELS_DEFAULT;
    window_vertical_pixels = WINDOW_VERTICAL_PIXELS_DEFAULT;
    window_horizontal_chars = WINDOW_HORIZONTAL_CHARS_DEFAULT;
    window_vertical_chars = WINDOW_VERTICAL_CHARS_DEFAULT;
    if (headless) {
        if (p_window) {
            p_window->close();
            p_window.reset();
        }
        headless_started = true;
        clearFrames();
        return Manager::startUp();
    }
    if (p_window)
        return 0;

    // The font comes first, so a failed start-up leaves no window behind.
    if (!font.loadFromFile(font_file))
        return -1;
    // Rendering glyphs already needs a graphics context, which needs the display.
    if (!platform::displayAvailable()) {
        LogManager::getInstance().writeLog("GraphicsManager::startUp(): no display to open the window on");
        return -1;
    }
    prepareGlyphs();

    p_window =
        std::make_unique<sf::RenderWindow>(sf::VideoMode(static_cast<unsigned>(window_horizontal_pixels),
                                                         static_cast<unsigned>(window_vertical_pixels), 32),
                                           WINDOW_TITLE_DEFAULT, sf::Style::Titlebar | sf::Style::Close);
    p_window->setMouseCursorVisible(false);
    p_window->setVerticalSyncEnabled(true);
    p_window->clear(CLEAR_COLOR);
    headless_started = false;
    clearFrames();
    return Manager::startUp();
}

void GraphicsManager::shutDown()
{
    if (p_window) {
        p_window->close();
        p_window.reset();
    }
    headless_started = false;
    batch.clear();
    shown_batch.clear();
    Manager::shutDown();
}

void GraphicsManager::setFontFile(const std::string& path)
{
    font_file = path;
}

std::string GraphicsManager::getFontFile() const
{
    return font_file;
}

void GraphicsManager::setHeadless(bool new_headless)
{
    headless = new_headless;
}

bool GraphicsManager::isHeadless() const
{
    return headless;
}

bool GraphicsManager::canDraw() const
{
    return p_window != nullptr || headless_started;
}

void GraphicsManager::clearFrames()
{
    batch.clear();
    shown_batch.clear();
    std::fill(drawn_cells.begin(), drawn_cells.end(), Cell());
    std::fill(shown_cells.begin(), shown_cells.end(), Cell());
}

void GraphicsManager::prepareGlyphs()
{
    // Rendering every glyph now keeps the font texture unchanged while a
    // frame's batch refers to it.
    glyphs.assign(LAST_PRINTABLE + 1, sf::Glyph());
    for (int code = FIRST_PRINTABLE; code <= LAST_PRINTABLE; ++code)
        glyphs[static_cast<size_t>(code)] =
            font.getGlyph(static_cast<sf::Uint32>(code), CHARACTER_SIZE, true);
}

const sf::Glyph& GraphicsManager::glyphFor(char ch)
{
    auto code = static_cast<unsigned char>(ch);
    if (code >= FIRST_PRINTABLE && code <= LAST_PRINTABLE)
        return glyphs[code];
    // Anything else is rendered on demand; texture coordinates are in pixels,
    // so quads already in the batch stay valid if the texture grows.
    return font.getGlyph(code, CHARACTER_SIZE, true);
}

void GraphicsManager::addGlyphQuad(Position pixel, const sf::Glyph& glyph, const sf::Color& color)
{
    // The quad sf::Text builds for a single character at this position: the
    // baseline one character size below the top, one pixel of padding around
    // the glyph and its texture rectangle.
    const float padding = 1.f;
    float x = static_cast<float>(pixel.getX());
    float y = static_cast<float>(pixel.getY()) + CHARACTER_SIZE;

    float left = x + glyph.bounds.left - padding;
    float top = y + glyph.bounds.top - padding;
    float right = x + glyph.bounds.left + glyph.bounds.width + padding;
    float bottom = y + glyph.bounds.top + glyph.bounds.height + padding;

    float u1 = static_cast<float>(glyph.textureRect.left) - padding;
    float v1 = static_cast<float>(glyph.textureRect.top) - padding;
    float u2 = static_cast<float>(glyph.textureRect.left + glyph.textureRect.width) + padding;
    float v2 = static_cast<float>(glyph.textureRect.top + glyph.textureRect.height) + padding;

    batch.append(sf::Vertex(sf::Vector2f(left, top), color, sf::Vector2f(u1, v1)));
    batch.append(sf::Vertex(sf::Vector2f(right, top), color, sf::Vector2f(u2, v1)));
    batch.append(sf::Vertex(sf::Vector2f(left, bottom), color, sf::Vector2f(u1, v2)));
    batch.append(sf::Vertex(sf::Vector2f(left, bottom), color, sf::Vector2f(u1, v2)));
    batch.append(sf::Vertex(sf::Vector2f(right, top), color, sf::Vector2f(u2, v1)));
    batch.append(sf::Vertex(sf::Vector2f(right, bottom), color, sf::Vector2f(u2, v2)));
}

void GraphicsManager::addSolidQuad(Position top_left, Position bottom_right, const sf::Color& color)
{
    const sf::Vector2f a(static_cast<float>(top_left.getX()), static_cast<float>(top_left.getY()));
    const sf::Vector2f b(static_cast<float>(bottom_right.getX()), static_cast<float>(bottom_right.getY()));
    batch.append(sf::Vertex(a, color, WHITE_TEXEL));
    batch.append(sf::Vertex(sf::Vector2f(b.x, a.y), color, WHITE_TEXEL));
    batch.append(sf::Vertex(sf::Vector2f(a.x, b.y), color, WHITE_TEXEL));
    batch.append(sf::Vertex(sf::Vector2f(a.x, b.y), color, WHITE_TEXEL));
    batch.append(sf::Vertex(sf::Vector2f(b.x, a.y), color, WHITE_TEXEL));
    batch.append(sf::Vertex(b, color, WHITE_TEXEL));
}

int GraphicsManager::clearBox(const Box& world_box)
{
    if (!canDraw())
        return -1;
    const Position corner(world_box.getCorner().getX() - view_corner.getX(),
                          world_box.getCorner().getY() - view_corner.getY());
    const Position far_corner(corner.getX() + world_box.getHorizontal(),
                              corner.getY() + world_box.getVertical());
    for (int y = corner.getY(); y < far_corner.getY(); ++y)
        for (int x = corner.getX(); x < far_corner.getX(); ++x)
            if (Cell* cell = cellAt(Position(x, y)))
                *cell = Cell();
    if (p_window)
        addSolidQuad(spacesToPixels(corner), spacesToPixels(far_corner), CLEAR_COLOR);
    return 0;
}

int GraphicsManager::drawCh(Position world_pos, char ch, Color color)
{
    if (!canDraw())
        return -1;
    if (isEngineColor(color))
        current_color = color;

    const Position view_pos(world_pos.getX() - view_corner.getX(), world_pos.getY() - view_corner.getY());
    if (!p_window) {
        // Headless, every character but the blank counts as visible, as
        // with the game's font, which has a glyph (or a box) for each.
        if (ch != ' ')
            recordCell(view_pos, ch);
        return 0;
    }

    const sf::Glyph& glyph = glyphFor(ch);
    // Blanks and other glyphs without pixels leave the cell as it was.
    if (ch == ' ' || glyph.textureRect.width <= 0 || glyph.textureRect.height <= 0)
        return 0;
    addGlyphQuad(spacesToPixels(view_pos), glyph, toSfmlColor(current_color));
    recordCell(view_pos, ch);
    return 0;
}

void GraphicsManager::recordCell(Position view_pos, char ch)
{
    if (Cell* cell = cellAt(view_pos)) {
        cell->ch = ch;
        cell->color = current_color;
    }
}

int GraphicsManager::drawString(Position world_pos, const std::string& str, Justification just, Color color)
{
    int length = static_cast<int>(str.size());
    int start_x = world_pos.getX();
    if (just == CENTER_JUSTIFIED)
        start_x -= length / 2;
    else if (just == RIGHT_JUSTIFIED)
        start_x -= length;
    for (int i = 0; i < length; ++i)
        drawCh(Position(start_x + i, world_pos.getY()), str[static_cast<size_t>(i)], color);
    return 0;
}

int GraphicsManager::drawFrame(Position world_pos, const Frame& frame, bool centered, Color color)
{
    const std::string& frame_str = frame.getString();
    if (frame_str.empty())
        return -1;
    int width = frame.getWidth();
    int height = frame.getHeight();
    int x_offset = centered ? width / 2 : 0;
    int y_offset = centered ? height / 2 : 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // A frame whose string is shorter than its size draws what it has.
            size_t index = static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
            if (index >= frame_str.size())
                return 0;
            drawCh(Position(world_pos.getX() - x_offset + x, world_pos.getY() - y_offset + y),
                   frame_str[index], color);
        }
    }
    return 0;
}

int GraphicsManager::swapBuffers()
{
    if (!canDraw())
        return -1;
    if (p_window) {
        p_window->draw(batch, sf::RenderStates(&font.getTexture(CHARACTER_SIZE)));
        p_window->display();
        p_window->clear(CLEAR_COLOR);
    }
    shown_batch.clear();
    std::swap(shown_batch, batch);
    shown_cells.swap(drawn_cells);
    std::fill(drawn_cells.begin(), drawn_cells.end(), Cell());
    return 0;
}

int GraphicsManager::saveScreenshot(const std::string& path) const
{
    if (!p_window)
        return -1;
    // The shown frame is drawn again, with the same single call, into an
    // off-screen picture of the window's size: the window's own buffers are
    // already cleared for the next frame.
    sf::RenderTexture picture;
    if (!picture.create(static_cast<unsigned>(window_horizontal_pixels),
                        static_cast<unsigned>(window_vertical_pixels)))
        return -1;
    picture.clear(CLEAR_COLOR);
    picture.draw(shown_batch, sf::RenderStates(&font.getTexture(CHARACTER_SIZE)));
    picture.display();
    const bool saved = picture.getTexture().copyToImage().saveToFile(path);
    p_window->setActive(true);
    return saved ? 0 : -1;
}

void GraphicsManager::setViewCorner(Position corner)
{
    view_corner = corner;
}

int GraphicsManager::getHorizontalChars() const
{
    return window_horizontal_chars;
}

int GraphicsManager::getVerticalChars() const
{
    return window_vertical_chars;
}

int GraphicsManager::getHorizontalPixels() const
{
    return window_horizontal_pixels;
}

int GraphicsManager::getVerticalPixels() const
{
    return window_vertical_pixels;
}

sf::RenderWindow* GraphicsManager::getWindow() const
{
    return p_window.get();
}

GraphicsManager::Cell* GraphicsManager::cellAt(Position view_pos)
{
    return const_cast<Cell*>(static_cast<const GraphicsManager*>(this)->cellAt(view_pos));
}

const GraphicsManager::Cell* GraphicsManager::cellAt(Position view_pos) const
{
    int x = view_pos.getX();
    int y = view_pos.getY();
    if (x < 0 || x >= WINDOW_HORIZONTAL_CHARS_DEFAULT || y < 0 || y >= WINDOW_VERTICAL_CHARS_DEFAULT)
        return nullptr;
    return &drawn_cells[static_cast<size_t>(y * WINDOW_HORIZONTAL_CHARS_DEFAULT + x)];
}

char GraphicsManager::getDrawnChar(Position view_pos) const
{
    const Cell* cell = cellAt(view_pos);
    return cell ? cell->ch : ' ';
}

Color GraphicsManager::getDrawnColor(Position view_pos) const
{
    const Cell* cell = cellAt(view_pos);
    return cell ? cell->color : BLACK;
}

std::string GraphicsManager::rowText(const std::vector<Cell>& cells, int row) const
{
    if (row < 0 || row >= WINDOW_VERTICAL_CHARS_DEFAULT)
        return std::string();
    std::string text;
    text.reserve(WINDOW_HORIZONTAL_CHARS_DEFAULT);
    for (int x = 0; x < WINDOW_HORIZONTAL_CHARS_DEFAULT; ++x)
        text += cells[static_cast<size_t>(row * WINDOW_HORIZONTAL_CHARS_DEFAULT + x)].ch;
    return text;
}

std::string GraphicsManager::drawnRow(int row) const
{
    return rowText(drawn_cells, row);
}

std::string GraphicsManager::shownRow(int row) const
{
    return rowText(shown_cells, row);
}

float charWidth()
{
    const GraphicsManager& graphics = GraphicsManager::getInstance();
    return static_cast<float>(graphics.getHorizontalPixels()) /
           static_cast<float>(graphics.getHorizontalChars());
}

float charHeight()
{
    const GraphicsManager& graphics = GraphicsManager::getInstance();
    return static_cast<float>(graphics.getVerticalPixels()) / static_cast<float>(graphics.getVerticalChars());
}

Position spacesToPixels(Position spaces)
{
    const GraphicsManager& graphics = GraphicsManager::getInstance();
    return Position(cellToPixel(spaces.getX(), graphics.getHorizontalPixels(), graphics.getHorizontalChars()),
                    cellToPixel(spaces.getY(), graphics.getVerticalPixels(), graphics.getVerticalChars()));
}

Position pixelsToSpaces(Position pixels)
{
    const GraphicsManager& graphics = GraphicsManager::getInstance();
    return Position(pixelToCell(pixels.getX(), graphics.getHorizontalPixels(), graphics.getHorizontalChars()),
                    pixelToCell(pixels.getY(), graphics.getVerticalPixels(), graphics.getVerticalChars()));
}

} // namespace zp
