/// \file
/// Owns the window and its font and draws coloured characters on a grid of
/// cells (80 x 24 unless set otherwise). The window can be resized, maximised
/// and made fullscreen: the grid keeps its cells and their proportions and is
/// scaled to fill the window, centred, the rest black. Glyphs are rasterised
/// for the size the cells have on screen. Each frame redraws and shows only
/// the cells whose picture changed, where the system allows it.
#pragma once

#include "zp/Box.h"
#include "zp/Color.h"
#include "zp/Frame.h"
#include "zp/Manager.h"
#include "zp/Palette.h"
#include "zp/Position.h"
#include "zp/WindowLayout.h"

#include <SFML/Graphics.hpp>

#include <cstdint>
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

class CellRenderer;
struct GlyphImage;

/// What the last frame cost to draw and show.
struct FrameCost {
    /// The time swapBuffers took, in microseconds.
    std::int64_t microseconds = 0;
    /// Cells whose pixels were drawn again (all of them for a whole frame).
    int cells_redrawn = 0;
    /// True when the whole window was drawn and shown.
    bool whole = false;
};

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

    /// Before start-up: the window's title (WINDOW_TITLE_DEFAULT until set).
    void setWindowTitle(const std::string& title);
    std::string getWindowTitle() const;
    /// Before start-up: the window's first size in pixels (1024 x 768 until
    /// set), which is also the size the grid is laid out for: its cells keep
    /// these proportions at every later size. It sets the windowed size too.
    /// -1 and no change for a side below 1 or above MAX_WINDOW_PIXELS, or once
    /// the window is open.
    int setWindowSize(int horizontal_pixels, int vertical_pixels);
    /// Before start-up: the grid's size in cells (80 x 24 until set); the
    /// world's boundary and view are set to it at the game's start-up. -1 and
    /// no change for a side below 1 or above MAX_GRID_CHARS, or once started.
    int setGridSize(int horizontal_chars, int vertical_chars);
    /// How the grid is scaled to the window (SCALE_TO_FIT until set); at any time.
    void setScaling(Scaling new_scaling);
    Scaling getScaling() const;
    /// The window's size when it is not fullscreen. Before start-up, the size
    /// it opens at (the grid is still laid out for setWindowSize's); after,
    /// the window is resized to it and centred on the screen, or, while
    /// fullscreen, takes it when fullscreen ends. -1 and no change for a side below 1 or above
    /// MAX_WINDOW_PIXELS.
    int setWindowedSize(int horizontal_pixels, int vertical_pixels);
    /// The windowed size: the window's own while it is not fullscreen (after
    /// the player resized or maximised it too), the one to come back to while
    /// it is; the base size until set.
    sf::Vector2u getWindowedSize() const;
    /// Fullscreen on the screen's own size, keeping the grid, or back to the
    /// windowed size. Before start-up, the window opens that way. The window
    /// is made anew, so anything that held its handle must look again.
    void setFullscreen(bool new_fullscreen);
    bool isFullscreen() const;
    /// The window's size in pixels now; the base size without a window.
    sf::Vector2u getWindowSize() const;
    /// Where the grid stands in the window now, and the font size its glyphs are drawn at.
    const WindowLayout& getLayout() const;
    /// The cell under a pixel of the window, through the scale and the
    /// letterbox; false over the letterbox, where there is no cell. A pixel
    /// beyond the window's edges (the pointer dragged out with a button held)
    /// stands at the grid's nearest edge cell.
    bool windowPixelToCell(Position pixel, Position& cell) const;
    /// The window was resized to this many pixels (from the window's Resized
    /// event, which the input manager reads): the grid is laid out anew and
    /// the next frame drawn whole.
    void windowResized(unsigned int horizontal_pixels, unsigned int vertical_pixels);
    /// Key repeat of the window, kept when the window is made anew.
    void setKeyRepeatEnabled(bool enabled);

    /// -1 when there is no window (and no headless start). Colours outside 0 ... 7 keep the previous
    /// character's colour; a blank draws nothing.
    int drawCh(Position world_pos, char ch, Color color);
    /// Strings and frames cost what shows in the window, not their length.
    int drawString(Position world_pos, const std::string& str, Justification just, Color color);
    /// -1 when the frame has no characters.
    int drawFrame(Position world_pos, const Frame& frame, bool centered, Color color);
    /// Tints the background of a cell faintly (a fifth of the colour), under every
    /// character of the frame, whenever they are drawn: for marking areas of
    /// the board without hiding what stands there. BLACK draws no tint;
    /// a box cleared in the same frame hides the tints of its cells.
    /// -1 without a window (and no headless start).
    int shadeCell(Position world_pos, Color color);
    /// Blanks the cells of a box (world cells) to the background: what was
    /// drawn there earlier in the frame is hidden, what is drawn later shows
    /// on top. For overlays; -1 without a window (and no headless start).
    int clearBox(const Box& world_box);
    /// Shows what was drawn since the last call and clears to black; -1
    /// without a window (and no headless start).
    int swapBuffers();
    /// Saves the last frame shown, exactly as the window shows it and at the
    /// window's own size, as an image file (the format follows the name's
    /// extension, e.g. ".png"). -1 when there is no window (headless: nothing
    /// to capture) or the file cannot be written.
    int saveScreenshot(const std::string& path) const;
    /// What the last swapBuffers cost.
    FrameCost getLastFrameCost() const;
    /// The next frame is drawn and shown whole: after drawing into the window
    /// by other means than the graphics manager's.
    void redrawWhole();

    /// The colours that the colour names are drawn in from now on (the
    /// default palette until set). Characters already drawn in this frame keep
    /// theirs.
    void setPalette(const Palette& new_palette);
    const Palette& getPalette() const;

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
    /// The tint of a view cell in the frame being drawn, and in the frame
    /// shown last; BLACK for none.
    Color getDrawnShade(Position view_pos) const;
    Color getShownShade(Position view_pos) const;
    /// One row of the frame being drawn, as text.
    std::string drawnRow(int row) const;
    /// One row of the last frame shown by swapBuffers, as text.
    std::string shownRow(int row) const;
    /// Glyphs queued in the window's batch for the frame being drawn.
    int getQueuedGlyphCount() const;

private:
    GraphicsManager();
    ~GraphicsManager() override;

    /// A cell where nothing visible was drawn holds a black blank.
    struct Cell {
        char ch = ' ';
        Color color = BLACK;
        Color shade = BLACK;
        /// The tint as the palette gave it when the cell was shaded, at the
        /// strength it shows with over black; transparent for none.
        sf::Color tint = sf::Color::Transparent;
        /// Blanked by clearBox: a tint of this frame no longer shows.
        bool cleared = false;
    };

    // A colour in 0 ... 7 becomes the one that later out-of-range colours keep.
    void takeColor(Color color);
    int loadFont();
    // Opens the window, or makes it anew, as fullscreen asks.
    void createWindow();
    // Puts the window in the middle of the screen.
    void centreWindow();
    // Lays the grid out for the window's size and rasterises its glyphs.
    void layOut(unsigned int horizontal_pixels, unsigned int vertical_pixels);
    void prepareGlyphs(unsigned int character_size);
    bool glyphHasPixels(char ch) const;
    void recordCell(Position view_pos, char ch);
    void clearFrames();
    Cell* cellAt(Position view_pos);
    const Cell* cellAt(Position view_pos) const;
    const Cell* cellIn(const std::vector<Cell>& cells, Position view_pos) const;
    std::string rowText(const std::vector<Cell>& cells, int row) const;

    /// True while drawing goes somewhere: a window is open, or a headless
    /// start-up has run.
    bool canDraw() const;

    sf::Font font;
    /// The font file's bytes, which the font reads from while it lives.
    std::vector<char> font_data;
    std::string font_file = FONT_FILE_DEFAULT;
    std::string window_title = WINDOW_TITLE_DEFAULT;
    std::unique_ptr<sf::RenderWindow> p_window;
    bool headless = false;
    bool headless_started = false;
    /// The base: the window's first size and the grid.
    int window_horizontal_pixels = WINDOW_HORIZONTAL_PIXELS_DEFAULT;
    int window_vertical_pixels = WINDOW_VERTICAL_PIXELS_DEFAULT;
    int window_horizontal_chars = WINDOW_HORIZONTAL_CHARS_DEFAULT;
    int window_vertical_chars = WINDOW_VERTICAL_CHARS_DEFAULT;
    /// The windowed size; 0 x 0 until set or resized: the base size.
    unsigned int windowed_width = 0;
    unsigned int windowed_height = 0;
    bool fullscreen = false;
    Scaling scaling = SCALE_TO_FIT;
    bool key_repeat = true;
    WindowLayout layout;
    sf::Vector2u window_size;
    /// The back buffer's size, which follows the window's when swapped.
    sf::Vector2u drawable_size;

    Position view_corner;
    /// Colour of the previous character, kept for out-of-range colour values.
    Color current_color = COLOR_DEFAULT;
    /// The frame's drawing, and what it turns into.
    std::unique_ptr<CellRenderer> p_renderer;
    sf::VertexArray backgrounds{sf::Triangles};
    sf::VertexArray glyph_vertices{sf::Triangles};
    /// The glyph of every character code at the layout's font size, and
    /// the texture that holds them as text shows them.
    std::vector<GlyphImage> glyph_table;
    /// Made with the window: any texture needs the display, even unused.
    std::unique_ptr<sf::RenderTexture> p_glyph_atlas;
    unsigned int glyph_size = 0;
    /// Font sizes rasterised since the font was loaded: each keeps a texture.
    std::vector<unsigned int> font_sizes;
    /// The window shows the parts of its back buffer that changed; otherwise
    /// every frame is drawn whole and swapped.
    bool show_parts = false;
    /// The next frame is drawn and shown whole (new window, new size).
    bool redraw_whole = true;
    FrameCost last_cost;
    Palette palette = defaultPalette();
    /// Each cell's tint for the renderer, gathered at the frame's end.
    std::vector<sf::Color> frame_tints;
    std::vector<Cell> drawn_cells;
    std::vector<Cell> shown_cells;
};

/// Size of one cell in the base size's pixels: 1024 / 80 = 12.8 across, 768 / 24
/// = 32 down. The window may show cells larger or smaller (getLayout).
float charWidth();
float charHeight();
/// The top-left pixel of a cell at the base size. Columns are laid out at
/// 12.8 pixels each so that all 80 fit the 1024-pixel window.
Position spacesToPixels(Position spaces);
/// The cell drawn under a pixel at the base size; the exact inverse of
/// spacesToPixels. For the window's pixels at any size: windowPixelToCell.
Position pixelsToSpaces(Position pixels);

} // namespace zp
