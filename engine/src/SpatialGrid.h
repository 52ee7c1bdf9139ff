// A spatial hash of objects' rectangles. An object is filed, with a rank
// that orders query results, under every square cell its rectangle touches;
// a visit reports once each object whose rectangle overlaps the one asked
// about. Coordinates may be anywhere in the 32-bit range: only occupied
// cells take memory.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zp {

class Object;

class SpatialGrid {
public:
    // An inclusive rectangle of world cells: [x0, x1] x [y0, y1].
    struct Rect {
        std::int64_t x0 = 0;
        std::int64_t y0 = 0;
        std::int64_t x1 = -1;
        std::int64_t y1 = -1;

        bool operator==(const Rect& other) const
        {
            return x0 == other.x0 && y0 == other.y0 && x1 == other.x1 && y1 == other.y1;
        }
        bool operator!=(const Rect& other) const { return !(*this == other); }
    };

    // What a visit reports: the object and the rank it was filed with. Kept
    // in the grid itself, so a query reads nothing else.
    struct Entry {
        Object* p_object;
        std::uint64_t rank;
    };

    // Cells of 2^cell_shift by 2^cell_shift world cells.
    explicit SpatialGrid(int cell_shift);

    // How many grid cells the rectangle touches (within the 32-bit range).
    std::int64_t cellCount(const Rect& rect) const;

    void clear();
    // Files an object whose rectangle lies within the 32-bit range.
    void insert(const Entry& entry, const Rect& rect);
    // Undoes an insert of the object with the same rectangle.
    void remove(const Object* p_object, const Rect& rect);
    // remove then insert, in place when the cells stay the same.
    void move(const Entry& entry, const Rect& from, const Rect& to);
    // Gives the object, filed with the rectangle, a new rank.
    void rerank(const Object* p_object, const Rect& rect, std::uint64_t rank);

    // Calls visit_entry(entry) once for every filed rectangle that overlaps `query`.
    template <typename Visit> void visit(const Rect& query, Visit&& visit_entry) const
    {
        const Span span = spanOf(query);
        // Everything filed lies within the 32-bit range, so the query may be
        // clamped to it; held in locals, it stays in registers while the
        // visitor writes memory.
        const Extent q = clampedToInt32(query);
        for (std::int32_t cy = span.y0; cy <= span.y1; ++cy)
            for (std::int32_t cx = span.x0; cx <= span.x1; ++cx) {
                const std::size_t slot = findSlot(cx, cy);
                if (slot == cells.size())
                    continue;
                const Cell& cell = cells[slot];
                const Extent* const extents = cell.extents.data();
                const std::size_t count = cell.extents.size();
                for (std::size_t i = 0; i < count; ++i) {
                    const Extent extent = extents[i];
                    if (extent.x0 > q.x1 || q.x0 > extent.x1 || extent.y0 > q.y1 || q.y0 > extent.y1)
                        continue;
                    // A pair may overlap in several cells, but the first
                    // corner of the overlap lies in just one of them.
                    if ((std::max(extent.x0, q.x0) >> shift) == cx &&
                        (std::max(extent.y0, q.y0) >> shift) == cy)
                        visit_entry(cell.entries[i]);
                }
            }
    }

private:
    struct Span {
        std::int32_t x0;
        std::int32_t y0;
        std::int32_t x1;
        std::int32_t y1;
    };

    // A filed rectangle, which lies within the 32-bit range.
    struct Extent {
        std::int32_t x0;
        std::int32_t y0;
        std::int32_t x1;
        std::int32_t y1;
    };

    // A grid cell and what is filed under it, a slot of the open-addressed
    // table of occupied cells. The rectangles, which every visit reads, lie
    // apart from the entries, which only hits read.
    struct Cell {
        std::int32_t cx = 0;
        std::int32_t cy = 0;
        bool used = false;
        std::vector<Extent> extents;
        std::vector<Entry> entries;
    };

    static Extent clampedToInt32(const Rect& rect)
    {
        const auto clamp = [](std::int64_t v) {
            return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
        };
        return Extent{clamp(rect.x0), clamp(rect.y0), clamp(rect.x1), clamp(rect.y1)};
    }
    std::int32_t cellOf(std::int64_t coordinate) const
    {
        // Nothing is filed beyond the 32-bit range, so a query reaching past
        // it stops at its edge. The shift rounds towards negative infinity,
        // so cell -1 holds the coordinates just left of zero.
        const std::int64_t clamped = std::clamp<std::int64_t>(coordinate, INT32_MIN, INT32_MAX);
        return static_cast<std::int32_t>(clamped >> shift);
    }
    Span spanOf(const Rect& rect) const;
    std::size_t slotOf(std::int32_t cx, std::int32_t cy) const
    {
        // Fibonacci hashing of both cell numbers: neighbouring cells spread
        // over the table, and the top bits are the best mixed.
        const std::uint64_t cell = (std::uint64_t(std::uint32_t(cx)) << 32) | std::uint32_t(cy);
        return std::size_t((cell * 0x9E3779B97F4A7C15ull) >> (64 - table_bits));
    }
    // The slot of the cell, or cells.size() when nothing was filed there.
    std::size_t findSlot(std::int32_t cx, std::int32_t cy) const
    {
        // Linear probing; cells are never taken out between rebuilds, so the
        // first unused slot ends the search.
        for (std::size_t slot = slotOf(cx, cy);; slot = (slot + 1) & (cells.size() - 1)) {
            const Cell& cell = cells[slot];
            if (!cell.used)
                return cells.size();
            if (cell.cx == cx && cell.cy == cy)
                return slot;
        }
    }
    Cell& cellFor(std::int32_t cx, std::int32_t cy);
    // Where the object is filed under a cell: its cell's slot and its index
    // there; false when it is not filed there.
    bool locate(const Object* p_object, std::int32_t cx, std::int32_t cy, std::size_t& slot,
                std::size_t& index) const;
    void rebuild(std::size_t table_size);

    int shift;
    std::vector<Cell> cells;
    int table_bits = 0;
    std::size_t used_cells = 0;
};

} // namespace zp
