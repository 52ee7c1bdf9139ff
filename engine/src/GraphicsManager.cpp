#include "zp/GraphicsManager.h"

#include "CellRenderer.h"
#include "LoopThread.h"

#include "platform/Platform.h"
#include "zp/LineReader.h"
#include "zp/LogManager.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace zp {

namespace {

// Every character code has a glyph (a box for those the font lacks).
const int CHARACTER_CODES = 256;
const sf::Color CLEAR_COLOR(0, 0, 0, 255);
// Glyphs are a little wider than a cell (and descenders a little lower), so
// the cells just outside the window can still show a few pixels inside it.
const int OFFSCREEN_MARGIN_CELLS = 1;
// The glyph atlas keeps a small white square at its top left; a quad that
// samples it is filled with its colour.
const sf::Vector2f WHITE_TEXEL(1.f, 1.f);
// The glyph atlas: a white square at the top left, then a slot for each
// character code, this many to a row.
const int ATLAS_TOP = 4;
const int ATLAS_COLUMNS = 16;
// Each font size rasterised keeps a texture of its own; while a window is
// dragged to new sizes, the font is loaded afresh after this many.
const std::size_t MAX_FONT_SIZES = 4;

bool validSide(int side, int most)
{
    return side >= 1 && side <= most;
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
    : p_renderer(std::make_unique<CellRenderer>()),
      drawn_cells(static_cast<size_t>(WINDOW_HORIZONTAL_CHARS_DEFAULT * WINDOW_VERTICAL_CHARS_DEFAULT)),
      shown_cells(drawn_cells.size())
{
    setType("GraphicsManager");
    layOut(WINDOW_HORIZONTAL_PIXELS_DEFAULT, WINDOW_VERTICAL_PIXELS_DEFAULT);
}

GraphicsManager::~GraphicsManager() = default;

int GraphicsManager::startUp()
{
    drawn_cells.assign(size_t(window_horizontal_chars) * size_t(window_vertical_chars), Cell());
    shown_cells.assign(drawn_cells.size(), Cell());
    if (headless) {
        if (p_window) {
            platform::watchExposure(0);
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
    if (loadFont() != 0) {
        log.writeLog("Could not load the font %s", font_file.c_str());
        return -1;
    }
    // Rendering glyphs already needs a graphics context, which needs the
    // display, and without one the windowing library would end the program.
    // The display is held until the window has a connection of its own.
    std::string no_display;
    if (!platform::holdDisplay(no_display)) {
        log.writeLog("%s", no_display.c_str());
        return -1;
    }
    createWindow();
    // The window has its own connection now; the one held since the display
    // check would only keep a fresh X server from resetting.
    platform::releaseDisplay();
    headless_started = false;
    clearFrames();
    return Manager::startUp();
}

int GraphicsManager::loadFont()
{
    // Kept in memory: the font is loaded afresh while the window is resized,
    // whatever has become of its file since. Only a regular file is read: a
    // FIFO would wait for ever.
    if (!isRegularFile(font_file))
        return -1;
    std::ifstream file(font_file, std::ios::binary);
    if (!file)
        return -1;
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    sf::Font loaded;
    if (bytes.empty() || !loaded.loadFromMemory(bytes.data(), bytes.size()))
        return -1;
    font_data.swap(bytes);
    font = sf::Font();
    font.loadFromMemory(font_data.data(), font_data.size());
    font_sizes.clear();
    glyph_size = 0;
    return 0;
}

void GraphicsManager::createWindow()
{
    const sf::Vector2u windowed = getWindowedSize();
    if (fullscreen) {
        const sf::VideoMode screen = sf::VideoMode::getDesktopMode();
        if (p_window)
            p_window->create(screen, window_title, sf::Style::Fullscreen);
        else
            p_window = std::make_unique<sf::RenderWindow>(screen, window_title, sf::Style::Fullscreen);
    } else {
        const sf::VideoMode mode(windowed.x, windowed.y, 32);
        if (p_window)
            p_window->create(mode, window_title, sf::Style::Default);
        else
            p_window = std::make_unique<sf::RenderWindow>(mode, window_title, sf::Style::Default);
        centreWindow();
    }
    p_window->setMouseCursorVisible(false);
    p_window->setVerticalSyncEnabled(true);
    p_window->setKeyRepeatEnabled(key_repeat);
    p_window->setActive(true);
    show_parts = platform::canShowParts();
    platform::watchExposure(p_window->getSystemHandle());
    const sf::Vector2u size = p_window->getSize();
    layOut(size.x, size.y);
    drawable_size = window_size;
    p_window->clear(CLEAR_COLOR);
}

void GraphicsManager::centreWindow()
{
    // The windowing library centres a new window by the screen's width in
    // both directions, which puts it partly below a wide screen's bottom.
    const sf::VideoMode screen = sf::VideoMode::getDesktopMode();
    const sf::Vector2u size = p_window->getSize();
    p_window->setPosition(sf::Vector2i(std::max(0, (int(screen.width) - int(size.x)) / 2),
                                       std::max(0, (int(screen.height) - int(size.y)) / 2)));
}

void GraphicsManager::shutDown()
{
    if (p_window) {
        platform::watchExposure(0);
        p_window->close();
        p_window.reset();
    }
    p_glyph_atlas.reset();
    glyph_size = 0;
    headless_started = false;
    p_renderer->reset();
    Manager::shutDown();
}

void GraphicsManager::layOut(unsigned int horizontal_pixels, unsigned int vertical_pixels)
{
    window_size = sf::Vector2u(std::max(1u, horizontal_pixels), std::max(1u, vertical_pixels));
    layout = layOutGrid(int(window_size.x), int(window_size.y), window_horizontal_pixels,
                        window_vertical_pixels, window_horizontal_chars, window_vertical_chars, scaling);
    redraw_whole = true;
    if (p_window) {
        // Window pixels one to one, whatever the window's size.
        p_window->setView(sf::View(sf::FloatRect(0.f, 0.f, float(window_size.x), float(window_size.y))));
        prepareGlyphs(layout.character_size);
    }
}

void GraphicsManager::prepareGlyphs(unsigned int character_size)
{
    if (character_size == glyph_size)
        return;
    if (std::find(font_sizes.begin(), font_sizes.end(), character_size) == font_sizes.end()) {
        if (font_sizes.size() >= MAX_FONT_SIZES) {
            // Drops the textures of every size rasterised so far.
            font = sf::Font();
            font.loadFromMemory(font_data.data(), font_data.size());
            font_sizes.clear();
        }
        font_sizes.push_back(character_size);
    }
    // Every glyph once, as text in this font shows it at a whole pixel: the
    // font's bitmap with a texel of padding, spread over its bounds and a
    // pixel of padding around. Frames then copy them one texel to one pixel,
    // so a glyph cut at a cell's edge keeps exactly its pixels.
    std::vector<sf::Glyph> glyphs(CHARACTER_CODES);
    int slot_width = 1;
    int slot_height = 1;
    for (int code = 0; code < CHARACTER_CODES; ++code) {
        glyphs[size_t(code)] = font.getGlyph(static_cast<sf::Uint32>(code), character_size, true);
        slot_width = std::max(slot_width, int(std::lround(glyphs[size_t(code)].bounds.width)) + 2);
        slot_height = std::max(slot_height, int(std::lround(glyphs[size_t(code)].bounds.height)) + 2);
    }
    const unsigned atlas_width = unsigned(slot_width * ATLAS_COLUMNS);
    const unsigned atlas_height = unsigned(ATLAS_TOP + slot_height * (CHARACTER_CODES / ATLAS_COLUMNS));
    if (!p_glyph_atlas)
        p_glyph_atlas = std::make_unique<sf::RenderTexture>();
    sf::RenderTexture& glyph_atlas = *p_glyph_atlas;
    if (glyph_atlas.getSize() != sf::Vector2u(atlas_width, atlas_height))
        glyph_atlas.create(atlas_width, atlas_height);
    glyph_atlas.setSmooth(false);
    glyph_atlas.clear(sf::Color::Transparent);

    sf::VertexArray white(sf::Triangles);
    for (const sf::Vector2f corner : {sf::Vector2f(0, 0), sf::Vector2f(2, 0), sf::Vector2f(0, 2),
                                      sf::Vector2f(0, 2), sf::Vector2f(2, 0), sf::Vector2f(2, 2)})
        white.append(sf::Vertex(corner, sf::Color::White));
    glyph_atlas.draw(white, sf::RenderStates(sf::BlendNone));

    glyph_table.assign(CHARACTER_CODES, GlyphImage());
    sf::VertexArray quads(sf::Triangles);
    for (int code = 0; code < CHARACTER_CODES; ++code) {
        const sf::Glyph& glyph = glyphs[size_t(code)];
        if (glyph.textureRect.width <= 0 || glyph.textureRect.height <= 0)
            continue;
        const float left = float(slot_width * (code % ATLAS_COLUMNS));
        const float top = float(ATLAS_TOP + slot_height * (code / ATLAS_COLUMNS));
        const float right = left + float(std::lround(glyph.bounds.width) + 2);
        const float bottom = top + float(std::lround(glyph.bounds.height) + 2);
        const float u1 = float(glyph.textureRect.left) - 1, v1 = float(glyph.textureRect.top) - 1;
        const float u2 = float(glyph.textureRect.left + glyph.textureRect.width) + 1;
        const float v2 = float(glyph.textureRect.top + glyph.textureRect.height) + 1;
        quads.append(sf::Vertex(sf::Vector2f(left, top), sf::Color::White, sf::Vector2f(u1, v1)));
        quads.append(sf::Vertex(sf::Vector2f(right, top), sf::Color::White, sf::Vector2f(u2, v1)));
        quads.append(sf::Vertex(sf::Vector2f(left, bottom), sf::Color::White, sf::Vector2f(u1, v2)));
        quads.append(sf::Vertex(sf::Vector2f(left, bottom), sf::Color::White, sf::Vector2f(u1, v2)));
        quads.append(sf::Vertex(sf::Vector2f(right, top), sf::Color::White, sf::Vector2f(u2, v1)));
        quads.append(sf::Vertex(sf::Vector2f(right, bottom), sf::Color::White, sf::Vector2f(u2, v2)));
        GlyphImage& image = glyph_table[size_t(code)];
        image.texture = sf::IntRect(int(left), int(top), int(right - left), int(bottom - top));
        image.left = int(std::lround(glyph.bounds.left)) - 1;
        image.top = int(std::lround(glyph.bounds.top)) - 1;
    }
    glyph_atlas.draw(quads, sf::RenderStates(sf::BlendNone, sf::Transform::Identity,
                                             &font.getTexture(character_size), nullptr));
    glyph_atlas.display();
    if (p_window)
        p_window->setActive(true);
    glyph_size = character_size;
}

bool GraphicsManager::glyphHasPixels(char ch) const
{
    if (glyph_table.empty())
        return true;
    const GlyphImage& image = glyph_table[static_cast<unsigned char>(ch)];
    return image.texture.width > 0 && image.texture.height > 0;
}

void GraphicsManager::setWindowTitle(const std::string& title)
{
    window_title = title;
}

std::string GraphicsManager::getWindowTitle() const
{
    return window_title;
}

int GraphicsManager::setWindowSize(int horizontal_pixels, int vertical_pixels)
{
    if (p_window || !validSide(horizontal_pixels, MAX_WINDOW_PIXELS) ||
        !validSide(vertical_pixels, MAX_WINDOW_PIXELS))
        return -1;
    window_horizontal_pixels = horizontal_pixels;
    window_vertical_pixels = vertical_pixels;
    windowed_width = unsigned(horizontal_pixels);
    windowed_height = unsigned(vertical_pixels);
    layOut(windowed_width, windowed_height);
    return 0;
}

int GraphicsManager::setGridSize(int horizontal_chars, int vertical_chars)
{
    if (p_window || headless_started || !validSide(horizontal_chars, MAX_GRID_CHARS) ||
        !validSide(vertical_chars, MAX_GRID_CHARS))
        return -1;
    window_horizontal_chars = horizontal_chars;
    window_vertical_chars = vertical_chars;
    drawn_cells.assign(size_t(horizontal_chars) * size_t(vertical_chars), Cell());
    shown_cells.assign(drawn_cells.size(), Cell());
    layOut(window_size.x, window_size.y);
    return 0;
}

void GraphicsManager::setScaling(Scaling new_scaling)
{
    scaling = new_scaling == SCALE_INTEGER ? SCALE_INTEGER : SCALE_TO_FIT;
    layOut(window_size.x, window_size.y);
}

Scaling GraphicsManager::getScaling() const
{
    return scaling;
}

int GraphicsManager::setWindowedSize(int horizontal_pixels, int vertical_pixels)
{
    if (!validSide(horizontal_pixels, MAX_WINDOW_PIXELS) || !validSide(vertical_pixels, MAX_WINDOW_PIXELS))
        return -1;
    windowed_width = unsigned(horizontal_pixels);
    windowed_height = unsigned(vertical_pixels);
    if (!p_window) {
        layOut(windowed_width, windowed_height);
    } else if (!fullscreen) {
        p_window->setSize(sf::Vector2u(windowed_width, windowed_height));
        centreWindow();
        const sf::Vector2u size = p_window->getSize();
        layOut(size.x, size.y);
    }
    return 0;
}

sf::Vector2u GraphicsManager::getWindowedSize() const
{
    if (windowed_width == 0 || windowed_height == 0)
        return sf::Vector2u(unsigned(window_horizontal_pixels), unsigned(window_vertical_pixels));
    return sf::Vector2u(windowed_width, windowed_height);
}

void GraphicsManager::setFullscreen(bool new_fullscreen)
{
    if (new_fullscreen == fullscreen)
        return;
    fullscreen = new_fullscreen;
    if (p_window)
        createWindow();
}

bool GraphicsManager::isFullscreen() const
{
    return fullscreen;
}

sf::Vector2u GraphicsManager::getWindowSize() const
{
    return window_size;
}

const WindowLayout& GraphicsManager::getLayout() const
{
    return layout;
}

bool GraphicsManager::windowPixelToCell(Position pixel, Position& cell) const
{
    // A pointer dragged out of the window (a button held) reports pixels
    // beyond its edges: the grid's edge cells stand for them.
    const std::int64_t x = pixel.getX(), y = pixel.getY();
    if (x < 0 || y < 0 || x >= std::int64_t(window_size.x) || y >= std::int64_t(window_size.y)) {
        const std::int64_t inside_x =
            std::clamp<std::int64_t>(x, layout.left, layout.left + layout.width - 1);
        const std::int64_t inside_y = std::clamp<std::int64_t>(y, layout.top, layout.top + layout.height - 1);
        return layout.pixelToCell(Position(int(inside_x), int(inside_y)), cell);
    }
    return layout.pixelToCell(pixel, cell);
}

void GraphicsManager::windowResized(unsigned int horizontal_pixels, unsigned int vertical_pixels)
{
    // A minimised window may report no size at all; the grid waits for a real one.
    if (horizontal_pixels == 0 || vertical_pixels == 0)
        return;
    if (!fullscreen) {
        windowed_width = horizontal_pixels;
        windowed_height = vertical_pixels;
    }
    layOut(horizontal_pixels, vertical_pixels);
}

void GraphicsManager::setKeyRepeatEnabled(bool enabled)
{
    key_repeat = enabled;
    if (p_window)
        p_window->setKeyRepeatEnabled(enabled);
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
    p_renderer->reset();
    redraw_whole = true;
    std::fill(drawn_cells.begin(), drawn_cells.end(), Cell());
    std::fill(shown_cells.begin(), shown_cells.end(), Cell());
}

int GraphicsManager::clearBox(const Box& world_box)
{
    if (!canDraw())
        return -1;
    const Position corner(world_box.getCorner().getX() - view_corner.getX(),
                          world_box.getCorner().getY() - view_corner.getY());
    const Position far_corner(corner.getX() + world_box.getHorizontal(),
                              corner.getY() + world_box.getVertical());
    for (int y = std::max(0, corner.getY()); y < std::min(window_vertical_chars, far_corner.getY()); ++y)
        for (int x = std::max(0, corner.getX()); x < std::min(window_horizontal_chars, far_corner.getX());
             ++x)
            if (Cell* cell = cellAt(Position(x, y)))
                *cell = Cell();
    if (p_window)
        p_renderer->addClearedBox(corner, world_box.getHorizontal(), world_box.getVertical(),
                                  window_horizontal_chars, window_vertical_chars);
    return 0;
}

int GraphicsManager::drawCh(Position world_pos, char ch, Color color)
{
    ZP_LOOP_THREAD_ONLY("GraphicsManager::drawCh");
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

    // Blanks and other glyphs without pixels leave the cell as it was.
    if (ch == ' ' || !glyphHasPixels(ch))
        return 0;
    p_renderer->addGlyph(view_pos, ch, current_color);
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
    ZP_LOOP_THREAD_ONLY("GraphicsManager::drawString");
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
    ZP_LOOP_THREAD_ONLY("GraphicsManager::drawFrame");
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
    ZP_LOOP_THREAD_ONLY("GraphicsManager::swapBuffers");
    if (!canDraw())
        return -1;
    if (p_window) {
        const std::int64_t start_us = platform::monotonicMicroseconds();
        p_window->setActive(true);
        // Where parts of the window are shown, the back buffer keeps the
        // picture, and only the cells whose pixels differ are drawn again;
        // what the display lost (another window moved off this one) is shown
        // again with a whole frame.
        bool whole = redraw_whole || !show_parts || platform::tookExposure();
        if (show_parts && window_size != drawable_size) {
            // The back buffer follows the window's size only when swapped; it
            // is then drawn whole.
            p_window->display();
            drawable_size = window_size;
            whole = true;
        }
        const FramePlan plan =
            p_renderer->plan(layout, glyph_table, WHITE_TEXEL, whole, backgrounds, glyph_vertices);
        const sf::RenderStates glyph_states(&p_glyph_atlas->getTexture());
        if (plan.whole) {
            p_window->clear(CLEAR_COLOR);
            p_window->draw(glyph_vertices, glyph_states);
        } else if (!plan.regions.empty()) {
            p_window->draw(backgrounds, sf::RenderStates(sf::BlendNone));
            p_window->draw(glyph_vertices, glyph_states);
        }
        redraw_whole = false;
        if (!show_parts) {
            p_window->display();
        } else if (!platform::showParts(plan.whole ? std::vector<platform::PixelRect>{platform::PixelRect{
                                                         0, 0, int(window_size.x), int(window_size.y)}}
                                                   : plan.regions,
                                        int(window_size.y))) {
            // Swapped and drawn whole at the next frame.
            drawable_size = sf::Vector2u();
            redraw_whole = true;
        }
        last_cost.microseconds = platform::monotonicMicroseconds() - start_us;
        last_cost.cells_redrawn = plan.cells_redrawn;
        last_cost.whole = plan.whole;
    }
    shown_cells.swap(drawn_cells);
    std::fill(drawn_cells.begin(), drawn_cells.end(), Cell());
    return 0;
}

int GraphicsManager::saveScreenshot(const std::string& path) const
{
    if (!p_window)
        return -1;
    // The shown frame is drawn again, whole, into an off-screen picture of
    // the window's size: the window's back buffer may hold only its changes.
    sf::RenderTexture picture;
    if (!picture.create(window_size.x, window_size.y))
        return -1;
    sf::VertexArray vertices(sf::Triangles);
    p_renderer->shownFrame(layout, glyph_table, WHITE_TEXEL, vertices);
    picture.clear(CLEAR_COLOR);
    picture.draw(vertices, sf::RenderStates(&p_glyph_atlas->getTexture()));
    picture.display();
    const bool saved = picture.getTexture().copyToImage().saveToFile(path);
    p_window->setActive(true);
    return saved ? 0 : -1;
}

FrameCost GraphicsManager::getLastFrameCost() const
{
    return last_cost;
}

void GraphicsManager::redrawWhole()
{
    redraw_whole = true;
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
    if (x < 0 || x >= window_horizontal_chars || y < 0 || y >= window_vertical_chars)
        return nullptr;
    return &drawn_cells[static_cast<size_t>(y) * size_t(window_horizontal_chars) + size_t(x)];
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
    if (row < 0 || row >= window_vertical_chars)
        return std::string();
    std::string text;
    text.reserve(size_t(window_horizontal_chars));
    for (int x = 0; x < window_horizontal_chars; ++x)
        text += cells[static_cast<size_t>(row) * size_t(window_horizontal_chars) + size_t(x)].ch;
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
    return p_renderer->getGlyphCount();
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
