#include "SpatialGrid.h"

namespace zp {
namespace {

constexpr std::size_t MIN_TABLE_SIZE = 256;
// The table is rebuilt when more than half its slots hold cells, and made
// big enough that the cells still in use fill a quarter of it.
constexpr std::size_t MAX_FILL_DIVISOR = 2;
constexpr std::size_t ROOM_FACTOR = 4;

} // namespace

SpatialGrid::SpatialGrid(int cell_shift) : shift(cell_shift)
{
    rebuild(MIN_TABLE_SIZE);
}

SpatialGrid::Span SpatialGrid::spanOf(const Rect& rect) const
{
    return Span{cellOf(rect.x0), cellOf(rect.y0), cellOf(rect.x1), cellOf(rect.y1)};
}

std::int64_t SpatialGrid::cellCount(const Rect& rect) const
{
    if (rect.x1 < rect.x0 || rect.y1 < rect.y0)
        return 0;
    const Span span = spanOf(rect);
    return (std::int64_t(span.x1) - span.x0 + 1) * (std::int64_t(span.y1) - span.y0 + 1);
}

void SpatialGrid::clear()
{
    cells.clear();
    rebuild(MIN_TABLE_SIZE);
}

void SpatialGrid::rebuild(std::size_t table_size)
{
    // Cells that objects have left are dropped here, so the table follows
    // the objects instead of every place they ever were.
    std::vector<Cell> old_cells;
    old_cells.swap(cells);
    cells.resize(table_size);
    table_bits = 0;
    while ((std::size_t(1) << table_bits) < table_size)
        ++table_bits;
    used_cells = 0;
    for (Cell& old_cell : old_cells) {
        if (!old_cell.used || old_cell.entries.empty())
            continue;
        std::size_t slot = slotOf(old_cell.cx, old_cell.cy);
        while (cells[slot].used)
            slot = (slot + 1) & (cells.size() - 1);
        cells[slot] = std::move(old_cell);
        ++used_cells;
    }
}

SpatialGrid::Cell& SpatialGrid::cellFor(std::int32_t cx, std::int32_t cy)
{
    if ((used_cells + 1) * MAX_FILL_DIVISOR > cells.size()) {
        std::size_t occupied = 0;
        for (const Cell& cell : cells)
            occupied += cell.used && !cell.entries.empty() ? 1 : 0;
        std::size_t table_size = MIN_TABLE_SIZE;
        while (table_size < (occupied + 1) * ROOM_FACTOR)
            table_size *= 2;
        rebuild(table_size);
    }
    std::size_t slot = slotOf(cx, cy);
    for (;; slot = (slot + 1) & (cells.size() - 1)) {
        Cell& cell = cells[slot];
        if (cell.used && cell.cx == cx && cell.cy == cy)
            return cell;
        if (!cell.used)
            break;
    }
    Cell& cell = cells[slot];
    cell.cx = cx;
    cell.cy = cy;
    cell.used = true;
    ++used_cells;
    return cell;
}

bool SpatialGrid::locate(const Object* p_object, std::int32_t cx, std::int32_t cy, std::size_t& slot,
                         std::size_t& index) const
{
    slot = findSlot(cx, cy);
    if (slot == cells.size())
        return false;
    const std::vector<Entry>& entries = cells[slot].entries;
    for (index = 0; index < entries.size(); ++index)
        if (entries[index].p_object == p_object)
            return true;
    return false;
}

void SpatialGrid::insert(const Entry& entry, const Rect& rect)
{
    const Span span = spanOf(rect);
    const Extent extent{std::int32_t(rect.x0), std::int32_t(rect.y0), std::int32_t(rect.x1),
                        std::int32_t(rect.y1)};
    for (std::int32_t cy = span.y0; cy <= span.y1; ++cy)
        for (std::int32_t cx = span.x0; cx <= span.x1; ++cx) {
            Cell& cell = cellFor(cx, cy);
            cell.extents.push_back(extent);
            cell.entries.push_back(entry);
        }
}

void SpatialGrid::remove(const Object* p_object, const Rect& rect)
{
    const Span span = spanOf(rect);
    for (std::int32_t cy = span.y0; cy <= span.y1; ++cy)
        for (std::int32_t cx = span.x0; cx <= span.x1; ++cx) {
            std::size_t slot, index;
            if (!locate(p_object, cx, cy, slot, index))
                continue;
            Cell& cell = cells[slot];
            cell.extents[index] = cell.extents.back();
            cell.extents.pop_back();
            cell.entries[index] = cell.entries.back();
            cell.entries.pop_back();
        }
}

void SpatialGrid::move(const Entry& entry, const Rect& from, const Rect& to)
{
    const Span old_span = spanOf(from);
    const Span span = spanOf(to);
    if (old_span.x0 != span.x0 || old_span.y0 != span.y0 || old_span.x1 != span.x1 ||
        old_span.y1 != span.y1) {
        remove(entry.p_object, from);
        insert(entry, to);
        return;
    }
    const Extent extent{std::int32_t(to.x0), std::int32_t(to.y0), std::int32_t(to.x1), std::int32_t(to.y1)};
    for (std::int32_t cy = span.y0; cy <= span.y1; ++cy)
        for (std::int32_t cx = span.x0; cx <= span.x1; ++cx) {
            std::size_t slot, index;
            if (locate(entry.p_object, cx, cy, slot, index))
                cells[slot].extents[index] = extent;
        }
}

void SpatialGrid::rerank(const Object* p_object, const Rect& rect, std::uint64_t rank)
{
    const Span span = spanOf(rect);
    for (std::int32_t cy = span.y0; cy <= span.y1; ++cy)
        for (std::int32_t cx = span.x0; cx <= span.x1; ++cx) {
            std::size_t slot, index;
            if (locate(p_object, cx, cy, slot, index))
                cells[slot].entries[index].rank = rank;
        }
}

} // namespace zp
