/// \file
/// Owns the window and its font and draws coloured characters on the grid of
/// 80 x 24 cells. Characters drawn during a frame are collected in one vertex
/// batch that swapBuffers draws with a single call, shows and clears.
#pragma once

#include "zp/Box.h"
#include "zp/Color.h"
#include "zp/Frame.h"
#include "zp/Manager.h"
#include "zp/Position.h"

#include <SFML/Graphics.hpp>

#include <memory>
#include <string>
#include <vector>

namespace zp {

enum Justification : int {
    LEFT_JUSTIFIED = 0,
    CENTER_JUSTIFIED = 1,
    RIGHT_JUSTIFIED = 2,
};

const int WINDOW_HORIZONTAL_PIXELS_DEFAULT = 1024;
const int WINDOW_VERTICAL_PIXELS_DEFAULT = 768;
const int WINDOW_HORIZONTAL_CHARS_DEFAULT = 80;
const int WINDOW_VERTICAL_CHARS_DEFAULT = 24;
const char* const WINDOW_TITLE_DEFAULT = "Zephane";
const char* const FONT_FILE_DEFAULT = "zp-font.ttf";
/// The largest window side, in pixels, and grid side, in cells, that can be set.
const int MAX_WINDOW_PIXELS = 16384;
const int MAX_GRID_CHARS = 1000;

class GraphicsManager : public Manager {
public:
    static GraphicsManager& getInstance();

    /// Opens the window and loads the font; -1 (and a log line saying which)
    /// when the font cannot be loaded or no display can be reached.
    /// Headless, it opens nothing and needs no font.
    int startUp() override;
    /// Closes the window.
    void shutDown() override;

    /// Without a window: from the next start-up on nothing is shown and no
    /// font or display is needed, but every frame's characters are recorded
    /// as with a window (for runs without a display, and for tests).
    void setHeadless(bool new_headless);
    bool isHeadless() const;

    /// The TrueType file the next windowed start-up loads; FONT_FILE_DEFAULT
    /// (in the working directory) until set.
    void setFontFile(const std::string& path);
    std::string getFontFile() const;

    /// -1 when there is no window (and no headless start). Colours outside 0 ... 7 keep the previous
    /// character's colour; a blank draws nothing.
    int drawCh(Position world_pos, char ch, Color color);
    /// Strings and frames cost what shows in the window, not their length.
    int drawString(Position world_pos, const std::string& str, Justification just, Color color);
    /// -1 when the frame has no characters.
    int drawFrame(Position world_pos, const Frame& frame, bool centered, Color color);
    /// Blanks the cells of a box (world cells) to the background: what was
    /// drawn there earlier in the frame is hidden, what is drawn later shows
    /// on top. For overlays; -1 without a window (and no headless start).
    int clearBox(const Box& world_box);
    /// Shows what was drawn since the last call and clears to black; -1
    /// without a window (and no headless start).
    int swapBuffers();
    /// Saves the last frame shown, exactly as the window shows it, as an image
    /// file (the format follows the name's extension, e.g. ".png"). -1 when
    /// there is no window (headless: nothing to capture) or the file cannot
    /// be written.
    int saveScreenshot(const std::string& path) const;

    /// The world's view corner, pushed by the world whenever its view moves:
    /// drawing takes world positions and shows them relative to this corner.
    void setViewCorner(Position corner);

    int getHorizontalChars() const;
    int getVerticalChars() const;
    int getHorizontalPixels() const;
    int getVerticalPixels() const;
    sf::RenderWindow* getWindow() const;

    /// What the frame being drawn holds: the topmost visible character of a
    /// view cell (a blank when none) and its colour.
    char getDrawnChar(Position view_pos) const;
    Color getDrawnColor(Position view_pos) const;
    /// One row of the frame being drawn, as text.
    std::string drawnRow(int row) const;
    /// One row of the last frame shown by swapBuffers, as text.
    std::string shownRow(int row) const;
    /// Glyphs queued in the window's batch for the frame being drawn.
    int getQueuedGlyphCount() const;

private:
    GraphicsManager();

    /// A cell where nothing visible was drawn holds a black blank.
    struct Cell {
        char ch = ' ';
        Color color = BLACK;
    };

    // A colour in 0 ... 7 becomes the one that later out-of-range colours keep.
    void takeColor(Color color);
    void prepareGlyphs();
    const sf::Glyph& glyphFor(char ch);
    void recordCell(Position view_pos, char ch);
    void clearFrames();
    void addGlyphQuad(Position pixel, const sf::Glyph& glyph, const sf::Color& color);
    void addSolidQuad(Position top_left, Position bottom_right, const sf::Color& color);
    Cell* cellAt(Position view_pos);
    const Cell* cellAt(Position view_pos) const;
    std::string rowText(const std::vector<Cell>& cells, int row) const;

    /// True while drawing goes somewhere: a window is open, or a headless
    /// start-up has run.
    bool canDraw() const;

    sf::Font font;
    std::string font_file = FONT_FILE_DEFAULT;
    std::unique_ptr<sf::RenderWindow> p_window;
    bool headless = false;
    bool headless_started = false;
    int window_horizontal_pixels = WINDOW_HORIZONTAL_PIXELS_DEFAULT;
    int window_vertical_pixels = WINDOW_VERTICAL_PIXELS_DEFAULT;
    int window_horizontal_chars = WINDOW_HORIZONTAL_CHARS_DEFAULT;
    int window_vertical_chars = WINDOW_VERTICAL_CHARS_DEFAULT;

    Position view_corner;
    /// Colour of the previous character, kept for out-of-range colour values.
    Color current_color = COLOR_DEFAULT;
    /// Two triangles per visible character, drawn by swapBuffers in one call.
    sf::VertexArray batch{sf::Triangles};
    /// The batch of the frame the window shows now, kept for screenshots.
    sf::VertexArray shown_batch{sf::Triangles};
    /// The glyphs of printable ASCII, indexed by character code.
    std::vector<sf::Glyph> glyphs;
    std::vector<Cell> drawn_cells;
    std::vector<Cell> shown_cells;
};

/// Size of one cell in pixels: 1024 / 80 = 12.8 across, 768 / 24 = 32 down.
float charWidth();
float charHeight();
/// The top-left pixel of a cell. Columns are laid out at 12.8 pixels each so
/// that all 80 fit the 1024-pixel window.
Position spacesToPixels(Position spaces);
/// The cell drawn under a pixel; the exact inverse of spacesToPixels.
Position pixelsToSpaces(Position pixels);

} // namespace zp
