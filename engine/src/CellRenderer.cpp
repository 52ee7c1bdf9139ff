#include "CellRenderer.h"

#include <SFML/Graphics/Color.hpp>

#include <algorithm>
#include <utility>

namespace zp {
namespace {

// Tiles that change apart by no more than this many unchanged tiles of a row
// are shown together: one larger region costs less than two small ones.
const int REGION_GAP_TILES = 2;
// Keys of a tile's list: a cleared box blacks the whole tile wherever it
// starts; a glyph is its cell, character and colour.
const std::uint64_t CLEARED_KEY = 1;
const int KEY_CELL_OFFSET = 1; // cells just left of or above the grid are -1

const sf::Color& toSfmlColor(Color color)
{
    static const sf::Color colors[] = {
        sf::Color::Black, sf::Color::Red,     sf::Color::Green, sf::Color::Yellow,
        sf::Color::Blue,  sf::Color::Magenta, sf::Color::Cyan,  sf::Color::White,
    };
    return colors[color >= BLACK && color <= WHITE ? color : COLOR_DEFAULT];
}

std::uint64_t glyphKey(int x, int y, char ch, Color color)
{
    return (std::uint64_t(std::uint32_t(x + KEY_CELL_OFFSET) & 0xFFFFF) << 44) |
           (std::uint64_t(std::uint32_t(y + KEY_CELL_OFFSET) & 0xFFFFF) << 24) |
           (std::uint64_t(static_cast<unsigned char>(ch)) << 8) | (std::uint64_t(color & 0x7F) << 1);
}

// Two triangles over pixels [left, right) x [top, bottom), texel (u, v) on the
// top-left pixel and one texel per pixel from there.
void appendQuad(sf::VertexArray& vertices, int left, int top, int right, int bottom, float u, float v,
                const sf::Color& color)
{
    const float l = float(left), t = float(top), r = float(right), b = float(bottom);
    const float u2 = u + float(right - left), v2 = v + float(bottom - top);
    vertices.append(sf::Vertex(sf::Vector2f(l, t), color, sf::Vector2f(u, v)));
    vertices.append(sf::Vertex(sf::Vector2f(r, t), color, sf::Vector2f(u2, v)));
    vertices.append(sf::Vertex(sf::Vector2f(l, b), color, sf::Vector2f(u, v2)));
    vertices.append(sf::Vertex(sf::Vector2f(l, b), color, sf::Vector2f(u, v2)));
    vertices.append(sf::Vertex(sf::Vector2f(r, t), color, sf::Vector2f(u2, v)));
    vertices.append(sf::Vertex(sf::Vector2f(r, b), color, sf::Vector2f(u2, v2)));
}

// A quad of one colour sampling a single texel (or none).
void appendSolid(sf::VertexArray& vertices, int left, int top, int right, int bottom, sf::Vector2f texel,
                 const sf::Color& color)
{
    const float l = float(left), t = float(top), r = float(right), b = float(bottom);
    vertices.append(sf::Vertex(sf::Vector2f(l, t), color, texel));
    vertices.append(sf::Vertex(sf::Vector2f(r, t), color, texel));
    vertices.append(sf::Vertex(sf::Vector2f(l, b), color, texel));
    vertices.append(sf::Vertex(sf::Vector2f(l, b), color, texel));
    vertices.append(sf::Vertex(sf::Vector2f(r, t), color, texel));
    vertices.append(sf::Vertex(sf::Vector2f(r, b), color, texel));
}

} // namespace

void CellRenderer::addGlyph(Position view_cell, char ch, Color color)
{
    Operation operation;
    operation.x = view_cell.getX();
    operation.y = view_cell.getY();
    operation.ch = ch;
    operation.color = color;
    drawn.push_back(operation);
}

void CellRenderer::addClearedBox(Position corner, int width, int height, int columns, int rows)
{
    const int left = std::max(0, corner.getX());
    const int top = std::max(0, corner.getY());
    const int right = std::min(columns, corner.getX() + std::max(0, width));
    const int bottom = std::min(rows, corner.getY() + std::max(0, height));
    if (left >= right || top >= bottom)
        return;
    Operation operation;
    operation.x = left;
    operation.y = top;
    operation.width = right - left;
    operation.height = bottom - top;
    drawn.push_back(operation);
}

int CellRenderer::getGlyphCount() const
{
    return static_cast<int>(std::count_if(drawn.begin(), drawn.end(),
                                          [](const Operation& operation) { return operation.width == 0; }));
}

void CellRenderer::reset()
{
    drawn.clear();
    shown.clear();
    shown_valid = false;
}

CellRenderer::Reach CellRenderer::reachOf(const Operation& operation, const WindowLayout& layout,
                                          const std::vector<GlyphImage>& glyph_table) const
{
    Reach reach;
    if (operation.width > 0) {
        const Position from = layout.cellOrigin(Position(operation.x, operation.y));
        const Position to =
            layout.cellOrigin(Position(operation.x + operation.width, operation.y + operation.height));
        reach = Reach{operation.x, operation.x + operation.width - 1,
                      operation.y, operation.y + operation.height - 1,
                      from.getX(), from.getY(),
                      to.getX(),   to.getY(),
                      0,           0};
        return reach;
    }
    const GlyphImage& glyph = glyph_table[static_cast<unsigned char>(operation.ch)];
    if (glyph.texture.width <= 0 || glyph.texture.height <= 0)
        return reach;
    const Position pen = layout.cellOrigin(Position(operation.x, operation.y));
    reach.left = pen.getX() + glyph.left;
    reach.top = pen.getY() + int(layout.character_size) + glyph.top;
    reach.right = reach.left + glyph.texture.width;
    reach.bottom = reach.top + glyph.texture.height;
    reach.u = glyph.texture.left;
    reach.v = glyph.texture.top;
    // Only what falls on the grid is drawn: never the letterbox.
    const int left = std::max(reach.left, layout.left) - layout.left;
    const int top = std::max(reach.top, layout.top) - layout.top;
    const int right = std::min(reach.right, layout.left + layout.width) - layout.left;
    const int bottom = std::min(reach.bottom, layout.top + layout.height) - layout.top;
    if (left >= right || top >= bottom)
        return reach;
    reach.first_column = layout.columnAt(left);
    reach.last_column = layout.columnAt(right - 1);
    reach.first_row = layout.rowAt(top);
    reach.last_row = layout.rowAt(bottom - 1);
    return reach;
}

void CellRenderer::listTiles(const std::vector<Operation>& frame, const WindowLayout& layout,
                             const std::vector<GlyphImage>& glyph_table, TileLists& tile_lists,
                             std::vector<Reach>& frame_reaches) const
{
    const std::size_t tiles = std::size_t(layout.columns) * std::size_t(layout.rows);
    frame_reaches.resize(frame.size());
    tile_lists.starts.assign(tiles + 1, 0);
    for (std::size_t i = 0; i < frame.size(); ++i) {
        const Reach reach = reachOf(frame[i], layout, glyph_table);
        frame_reaches[i] = reach;
        for (int row = reach.first_row; row <= reach.last_row; ++row)
            for (int column = reach.first_column; column <= reach.last_column; ++column)
                ++tile_lists.starts[std::size_t(row) * std::size_t(layout.columns) + std::size_t(column) + 1];
    }
    for (std::size_t t = 0; t < tiles; ++t)
        tile_lists.starts[t + 1] += tile_lists.starts[t];
    tile_lists.keys.resize(tile_lists.starts[tiles]);
    tile_lists.operations.resize(tile_lists.starts[tiles]);
    std::vector<std::uint32_t> next(tile_lists.starts.begin(), tile_lists.starts.end() - 1);
    for (std::size_t i = 0; i < frame.size(); ++i) {
        const Operation& operation = frame[i];
        const Reach& reach = frame_reaches[i];
        const std::uint64_t key = operation.width > 0
                                      ? CLEARED_KEY
                                      : glyphKey(operation.x, operation.y, operation.ch, operation.color);
        for (int row = reach.first_row; row <= reach.last_row; ++row) {
            for (int column = reach.first_column; column <= reach.last_column; ++column) {
                const std::uint32_t at =
                    next[std::size_t(row) * std::size_t(layout.columns) + std::size_t(column)]++;
                tile_lists.keys[at] = key;
                tile_lists.operations[at] = static_cast<std::uint32_t>(i);
            }
        }
    }
}

bool CellRenderer::tileChanged(std::size_t tile) const
{
    const std::uint32_t from = lists.starts[tile], to = lists.starts[tile + 1];
    const std::uint32_t shown_from = shown_lists.starts[tile], shown_to = shown_lists.starts[tile + 1];
    return to - from != shown_to - shown_from ||
           !std::equal(lists.keys.begin() + from, lists.keys.begin() + to,
                       shown_lists.keys.begin() + shown_from);
}

void CellRenderer::appendWhole(const std::vector<Operation>& frame, const std::vector<Reach>& frame_reaches,
                               const WindowLayout& layout, sf::Vector2f white_texel,
                               sf::VertexArray& glyphs) const
{
    const int grid_right = layout.left + layout.width;
    const int grid_bottom = layout.top + layout.height;
    for (std::size_t i = 0; i < frame.size(); ++i) {
        const Reach& reach = frame_reaches[i];
        if (reach.last_column < reach.first_column || reach.last_row < reach.first_row)
            continue;
        if (frame[i].width > 0) {
            appendSolid(glyphs, reach.left, reach.top, reach.right, reach.bottom, white_texel,
                        sf::Color::Black);
            continue;
        }
        const int left = std::max(reach.left, layout.left);
        const int top = std::max(reach.top, layout.top);
        appendQuad(glyphs, left, top, std::min(reach.right, grid_right), std::min(reach.bottom, grid_bottom),
                   float(reach.u + left - reach.left), float(reach.v + top - reach.top),
                   toSfmlColor(frame[i].color));
    }
}

void CellRenderer::appendTile(int column, int row, const WindowLayout& layout, sf::Vector2f white_texel,
                              sf::VertexArray& backgrounds, sf::VertexArray& glyphs) const
{
    const Position from = layout.cellOrigin(Position(column, row));
    const Position to = layout.cellOrigin(Position(column + 1, row + 1));
    appendSolid(backgrounds, from.getX(), from.getY(), to.getX(), to.getY(), sf::Vector2f(),
                sf::Color::Black);
    const std::size_t tile = std::size_t(row) * std::size_t(layout.columns) + std::size_t(column);
    for (std::uint32_t at = lists.starts[tile]; at < lists.starts[tile + 1]; ++at) {
        const std::uint32_t index = lists.operations[at];
        if (drawn[index].width > 0) {
            appendSolid(glyphs, from.getX(), from.getY(), to.getX(), to.getY(), white_texel,
                        sf::Color::Black);
            continue;
        }
        // The part of the glyph inside this tile, with the same texels.
        const Reach& reach = reaches[index];
        const int left = std::max(reach.left, from.getX());
        const int top = std::max(reach.top, from.getY());
        const int right = std::min(reach.right, to.getX());
        const int bottom = std::min(reach.bottom, to.getY());
        if (left < right && top < bottom)
            appendQuad(glyphs, left, top, right, bottom, float(reach.u + left - reach.left),
                       float(reach.v + top - reach.top), toSfmlColor(drawn[index].color));
    }
}

std::vector<PixelRect> CellRenderer::changedRegions(const std::vector<char>& changed,
                                                    const WindowLayout& layout)
{
    // Runs of changed tiles along each row; a run that spans the same columns
    // as one in the row above extends it downwards.
    struct Run {
        int first_column, last_column, first_row, last_row;
    };
    std::vector<Run> runs;
    std::vector<std::size_t> open;      // runs that reach the row above
    std::vector<std::size_t> next_open; // runs that reach this row
    for (int row = 0; row < layout.rows; ++row) {
        next_open.clear();
        const char* tiles = changed.data() + std::size_t(row) * std::size_t(layout.columns);
        int column = 0;
        while (column < layout.columns) {
            if (!tiles[column]) {
                ++column;
                continue;
            }
            const int first = column;
            int last = column;
            for (int gap = 0; column < layout.columns && gap <= REGION_GAP_TILES; ++column) {
                if (tiles[column]) {
                    last = column;
                    gap = 0;
                } else {
                    ++gap;
                }
            }
            column = last + 1;
            const auto above = std::find_if(open.begin(), open.end(), [&](std::size_t index) {
                return runs[index].first_column == first && runs[index].last_column == last;
            });
            if (above != open.end()) {
                runs[*above].last_row = row;
                next_open.push_back(*above);
            } else {
                runs.push_back(Run{first, last, row, row});
                next_open.push_back(runs.size() - 1);
            }
        }
        std::swap(open, next_open);
    }
    std::vector<PixelRect> regions;
    regions.reserve(runs.size());
    for (const Run& run : runs) {
        const Position from = layout.cellOrigin(Position(run.first_column, run.first_row));
        const Position to = layout.cellOrigin(Position(run.last_column + 1, run.last_row + 1));
        regions.push_back(
            PixelRect{from.getX(), from.getY(), to.getX() - from.getX(), to.getY() - from.getY()});
    }
    return regions;
}

FramePlan CellRenderer::plan(const WindowLayout& layout, const std::vector<GlyphImage>& glyph_table,
                             sf::Vector2f white_texel, bool whole, sf::VertexArray& backgrounds,
                             sf::VertexArray& glyphs)
{
    backgrounds.clear();
    glyphs.clear();
    listTiles(drawn, layout, glyph_table, lists, reaches);
    const std::size_t tiles = std::size_t(layout.columns) * std::size_t(layout.rows);

    FramePlan frame_plan;
    frame_plan.whole = whole || !shown_valid || layout != shown_layout;
    int changed_tiles = 0;
    if (!frame_plan.whole) {
        dirty.assign(tiles, 0);
        for (std::size_t t = 0; t < tiles; ++t) {
            dirty[t] = tileChanged(t) ? 1 : 0;
            changed_tiles += dirty[t];
        }
        // Past half the tiles, drawing everything once costs less.
        frame_plan.whole = std::size_t(changed_tiles) * 2 > tiles;
    }

    if (frame_plan.whole) {
        appendWhole(drawn, reaches, layout, white_texel, glyphs);
        frame_plan.cells_redrawn = static_cast<int>(tiles);
        frame_plan.regions.push_back(PixelRect{layout.left, layout.top, layout.width, layout.height});
    } else if (changed_tiles > 0) {
        for (int row = 0; row < layout.rows; ++row)
            for (int column = 0; column < layout.columns; ++column)
                if (dirty[std::size_t(row) * std::size_t(layout.columns) + std::size_t(column)])
                    appendTile(column, row, layout, white_texel, backgrounds, glyphs);
        frame_plan.cells_redrawn = changed_tiles;
        frame_plan.regions = changedRegions(dirty, layout);
    }

    std::swap(shown, drawn);
    drawn.clear();
    std::swap(shown_lists, lists);
    shown_layout = layout;
    shown_valid = true;
    return frame_plan;
}

void CellRenderer::shownFrame(const WindowLayout& layout, const std::vector<GlyphImage>& glyph_table,
                              sf::Vector2f white_texel, sf::VertexArray& glyphs) const
{
    glyphs.clear();
    std::vector<Reach> shown_reaches;
    shown_reaches.reserve(shown.size());
    for (const Operation& operation : shown)
        shown_reaches.push_back(reachOf(operation, layout, glyph_table));
    appendWhole(shown, shown_reaches, layout, white_texel, glyphs);
}

} // namespace zp
