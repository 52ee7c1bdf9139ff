// What a frame draws in the window, kept as a list of drawing operations in
// cells, and the pictures made from it: the whole frame, or only the cells
// whose pixels can differ from the frame before. Each cell of the grid is a
// tile; a tile's pixels depend only on the operations whose glyph reaches
// into it, in their order, so a tile whose list is the same as last frame's
// still shows the right picture and is left alone. Glyphs are drawn one
// texel to one pixel at whole-pixel places, so a glyph cut at a tile's edge
// gives exactly the pixels the whole glyph gives there.
#pragma once

#include "platform/Platform.h"
#include "zp/Color.h"
#include "zp/Position.h"
#include "zp/WindowLayout.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <cstdint>
#include <vector>

namespace zp {

using platform::PixelRect;

// A character's glyph at the layout's font size: where it lies in the font's
// texture, and its top-left corner relative to the pen (the cell's left edge
// on the cell's baseline, one font size below the cell's top).
struct GlyphImage {
    sf::IntRect texture;
    int left = 0;
    int top = 0;
};

// What planning a frame produced.
struct FramePlan {
    // True: the window is cleared and every operation drawn. False: only the
    // tiles in `regions` are drawn (their backgrounds first).
    bool whole = true;
    // Cells whose pixels were drawn again.
    int cells_redrawn = 0;
    // Where the window's picture changed, for showing it.
    std::vector<PixelRect> regions;
};

class CellRenderer {
public:
    // Glyphs and boxes of the frame being drawn, in view cells, in order.
    void addGlyph(Position view_cell, char ch, Color color);
    // A box of cells cleared to black, clipped to the grid of `columns` x `rows`.
    void addClearedBox(Position corner, int width, int height, int columns, int rows);
    int getGlyphCount() const;

    // Turns the frame being drawn into vertices for the layout: `backgrounds`
    // (black, untextured, drawn without blending) and `glyphs` (textured by the
    // font, with black boxes sampling its white texel at `white_texel`). A
    // whole frame when `whole` is asked, when the layout changed, or when most
    // tiles changed; otherwise only the tiles that changed. `glyph_table` is
    // indexed by the character's unsigned code. The frame then becomes the
    // shown frame and a new one begins.
    FramePlan plan(const WindowLayout& layout, const std::vector<GlyphImage>& glyph_table,
                   sf::Vector2f white_texel, bool whole, sf::VertexArray& backgrounds,
                   sf::VertexArray& glyphs);
    // Every operation of the shown frame, for a picture of it.
    void shownFrame(const WindowLayout& layout, const std::vector<GlyphImage>& glyph_table,
                    sf::Vector2f white_texel, sf::VertexArray& glyphs) const;
    // Forgets the frame drawn so far and what was shown: the next plan is whole.
    void reset();

private:
    struct Operation {
        int x = 0;
        int y = 0;
        // A glyph when 0; otherwise a cleared box of width x height cells.
        int width = 0;
        int height = 0;
        char ch = ' ';
        Color color = BLACK;
    };
    // The tiles one operation reaches into, and its pixels.
    struct Reach {
        int first_column = 0, last_column = -1, first_row = 0, last_row = -1;
        int left = 0, top = 0, right = 0, bottom = 0;
        int u = 0, v = 0;
    };
    // Every tile's operations, one list after another (tile t's run from
    // starts[t] to starts[t + 1]), as keys that tell whether two lists draw
    // the same pixels, and as indices into the operations.
    struct TileLists {
        std::vector<std::uint32_t> starts;
        std::vector<std::uint64_t> keys;
        std::vector<std::uint32_t> operations;
    };

    Reach reachOf(const Operation& operation, const WindowLayout& layout,
                  const std::vector<GlyphImage>& glyph_table) const;
    void listTiles(const std::vector<Operation>& frame, const WindowLayout& layout,
                   const std::vector<GlyphImage>& glyph_table, TileLists& lists,
                   std::vector<Reach>& reaches) const;
    bool tileChanged(std::size_t tile) const;
    void appendWhole(const std::vector<Operation>& frame, const std::vector<Reach>& frame_reaches,
                     const WindowLayout& layout, sf::Vector2f white_texel, sf::VertexArray& glyphs) const;
    void appendTile(int column, int row, const WindowLayout& layout, sf::Vector2f white_texel,
                    sf::VertexArray& backgrounds, sf::VertexArray& glyphs) const;
    static std::vector<PixelRect> changedRegions(const std::vector<char>& dirty, const WindowLayout& layout);

    std::vector<Operation> drawn;
    std::vector<Operation> shown;
    std::vector<Reach> reaches;
    TileLists lists;
    TileLists shown_lists;
    WindowLayout shown_layout;
    bool shown_valid = false;
    std::vector<char> dirty;
};

} // namespace zp
