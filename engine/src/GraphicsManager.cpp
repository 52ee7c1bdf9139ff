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
// Glyphs are a little wider than a cell (and descenders a little lower), so
// the cells just outside the window can still show a few pixels inside it.
const int OFFSCREEN_MARGIN_CELLS = 1;
// Two triangles per glyph.
const size_t VERTICES_PER_GLYPH = 6;
// A shaded cell shows a fifth of its colour over the black background.
const sf::Uint8 SHADE_ALPHA = 51;
// Every page of an SFML font texture keeps a small white square at its top
// left (for underlines); a quad that samples it is filled with its colour.
const sf::Vector2f WHITE_TEXEL(1.f, 1.f);

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

// Whether a view cell along one axis of `cells` cells can show any pixel.
bool canShow(std::int64_t view_cell, int cells)
{
    return view_cell >= -OFFSCREEN_MARGIN_CELLS && view_cell < cells + OFFSCREEN_MARGIN_CELLS;
}

// Of `length` characters laid out from view cell `start` onwards, the
// indices [first, last] that can show in a window of `cells` cells; none when
// first > last.
void visibleSpan(std::int64_t start, std::int64_t length, int cells, std::int64_t& first, std::int64_t& last)
{
    first = std::max<std::int64_t>(0, -OFFSCREEN_MARGIN_CELLS - start);
    last = std::min<std::int64_t>(length - 1, cells - 1 + OFFSCREEN_MARGIN_CELLS - start);
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
    LogManager& log = LogManager::getInstance();
    if (!font.loadFromFile(font_file)) {
        log.writeLog("Could not load the font %s", font_file.c_str());
        return -1;
    }
    // Rendering glyphs already needs a graphics context, which needs the
    // display, and without one the windowing library would end the program.
    std::string no_display;
    if (!platform::displayAvailable(no_display)) {
        log.writeLog("%s", no_display.c_str());
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
    shade_batch.clear();
    shown_shade_batch.clear();
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
    shade_batch.clear();
    shown_shade_batch.clear();
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

void GraphicsManager::addSolidQuad(sf::VertexArray& quads, Position top_left, Position bottom_right,
                                   const sf::Color& color)
{
    const sf::Vector2f a(static_cast<float>(top_left.getX()), static_cast<float>(top_left.getY()));
    const sf::Vector2f b(static_cast<float>(bottom_right.getX()), static_cast<float>(bottom_right.getY()));
    quads.append(sf::Vertex(a, color, WHITE_TEXEL));
    quads.append(sf::Vertex(sf::Vector2f(b.x, a.y), color, WHITE_TEXEL));
    quads.append(sf::Vertex(sf::Vector2f(a.x, b.y), color, WHITE_TEXEL));
    quads.append(sf::Vertex(sf::Vector2f(a.x, b.y), color, WHITE_TEXEL));
    quads.append(sf::Vertex(sf::Vector2f(b.x, a.y), color, WHITE_TEXEL));
    quads.append(sf::Vertex(b, color, WHITE_TEXEL));
}

int GraphicsManager::shadeCell(Position world_pos, Color color)
{
    if (!canDraw())
        return -1;
    const std::int64_t view_x = std::int64_t(world_pos.getX()) - view_corner.getX();
    const std::int64_t view_y = std::int64_t(world_pos.getY()) - view_corner.getY();
    if (!isEngineColor(color) || view_x < 0 || view_x >= window_horizontal_chars || view_y < 0 ||
        view_y >= window_vertical_chars)
        return 0;
    const Position view_pos(static_cast<int>(view_x), static_cast<int>(view_y));
    Cell* cell = cellAt(view_pos);
    if (cell == nullptr || cell->cleared)
        return 0;
    cell->shade = color;
    if (p_window && color != BLACK) {
        sf::Color tint = palette.colorOf(color);
        tint.a = SHADE_ALPHA;
        addSolidQuad(shade_batch, spacesToPixels(view_pos),
                     spacesToPixels(Position(view_pos.getX() + 1, view_pos.getY() + 1)), tint);
    }
    return 0;
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
            if (Cell* cell = cellAt(Position(x, y))) {
                *cell = Cell();
                cell->cleared = true;
            }
    if (p_window)
        addSolidQuad(batch, spacesToPixels(corner), spacesToPixels(far_corner), CLEAR_COLOR);
    return 0;
}

int GraphicsManager::drawCh(Position world_pos, char ch, Color color)
{
    if (!canDraw())
        return -1;
    if (isEngineColor(color))
        current_color = color;

    const std::int64_t view_x = std::int64_t(world_pos.getX()) - view_corner.getX();
    const std::int64_t view_y = std::int64_t(world_pos.getY()) - view_corner.getY();
    if (!canShow(view_x, window_horizontal_chars) || !canShow(view_y, window_vertical_chars))
        return 0;
    const Position view_pos(static_cast<int>(view_x), static_cast<int>(view_y));
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
    addGlyphQuad(spacesToPixels(view_pos), glyph, palette.colorOf(current_color));
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

void GraphicsManager::takeColor(Color color)
{
    if (canDraw() && isEngineColor(color))
        current_color = color;
}

int GraphicsManager::drawString(Position world_pos, const std::string& str, Justification just, Color color)
{
    const auto length = static_cast<std::int64_t>(str.size());
    std::int64_t start_x = world_pos.getX();
    if (just == CENTER_JUSTIFIED)
        start_x -= length / 2;
    else if (just == RIGHT_JUSTIFIED)
        start_x -= length;
    if (length > 0)
        takeColor(color);
    // Only the characters that can show are drawn, however long the string.
    const int y = world_pos.getY();
    if (!canShow(std::int64_t(y) - view_corner.getY(), window_vertical_chars))
        return 0;
    std::int64_t first = 0;
    std::int64_t last = 0;
    visibleSpan(start_x - view_corner.getX(), length, window_horizontal_chars, first, last);
    for (std::int64_t i = first; i <= last; ++i)
        drawCh(Position(static_cast<int>(start_x + i), y), str[static_cast<size_t>(i)], color);
    return 0;
}

int GraphicsManager::drawFrame(Position world_pos, const Frame& frame, bool centered, Color color)
{
    const std::string& frame_str = frame.getString();
    if (frame_str.empty())
        return -1;
    const int width = frame.getWidth();
    const int height = frame.getHeight();
    if (width <= 0 || height <= 0)
        return 0;
    takeColor(color);
    const std::int64_t left = std::int64_t(world_pos.getX()) - (centered ? width / 2 : 0);
    const std::int64_t top = std::int64_t(world_pos.getY()) - (centered ? height / 2 : 0);
    // Only the rows and columns that can show are visited, however large the
    // frame; what they draw is what drawing every character would show.
    std::int64_t first_x = 0, last_x = 0, first_y = 0, last_y = 0;
    visibleSpan(left - view_corner.getX(), width, window_horizontal_chars, first_x, last_x);
    visibleSpan(top - view_corner.getY(), height, window_vertical_chars, first_y, last_y);
    for (std::int64_t y = first_y; y <= last_y; ++y) {
        for (std::int64_t x = first_x; x <= last_x; ++x) {
            // A frame whose string is shorter than its size draws what it has.
            const auto index = static_cast<size_t>(y * width + x);
            if (index >= frame_str.size())
                return 0;
            drawCh(Position(static_cast<int>(left + x), static_cast<int>(top + y)), frame_str[index], color);
        }
    }
    return 0;
}

int GraphicsManager::swapBuffers()
{
    if (!canDraw())
        return -1;
    if (p_window) {
        const sf::RenderStates states(&font.getTexture(CHARACTER_SIZE));
        p_window->draw(shade_batch, states);
        p_window->draw(batch, states);
        p_window->display();
        p_window->clear(CLEAR_COLOR);
    }
    shown_batch.clear();
    std::swap(shown_batch, batch);
    shown_shade_batch.clear();
    std::swap(shown_shade_batch, shade_batch);
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
    const sf::RenderStates states(&font.getTexture(CHARACTER_SIZE));
    picture.draw(shown_shade_batch, states);
    picture.draw(shown_batch, states);
    picture.display();
    const bool saved = picture.getTexture().copyToImage().saveToFile(path);
    p_window->setActive(true);
    return saved ? 0 : -1;
}

void GraphicsManager::setPalette(const Palette& new_palette)
{
    palette = new_palette;
}

const Palette& GraphicsManager::getPalette() const
{
    return palette;
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
    return cellIn(drawn_cells, view_pos);
}

const GraphicsManager::Cell* GraphicsManager::cellIn(const std::vector<Cell>& cells, Position view_pos)
{
    int x = view_pos.getX();
    int y = view_pos.getY();
    if (x < 0 || x >= WINDOW_HORIZONTAL_CHARS_DEFAULT || y < 0 || y >= WINDOW_VERTICAL_CHARS_DEFAULT)
        return nullptr;
    return &cells[static_cast<size_t>(y * WINDOW_HORIZONTAL_CHARS_DEFAULT + x)];
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

Color GraphicsManager::getDrawnShade(Position view_pos) const
{
    const Cell* cell = cellIn(drawn_cells, view_pos);
    return cell ? cell->shade : BLACK;
}

Color GraphicsManager::getShownShade(Position view_pos) const
{
    const Cell* cell = cellIn(shown_cells, view_pos);
    return cell ? cell->shade : BLACK;
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

int GraphicsManager::getQueuedGlyphCount() const
{
    return static_cast<int>(batch.getVertexCount() / VERTICES_PER_GLYPH);
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
