// A spatial hash of small integer keys over square cells of the world. A key
// is filed under every cell of a rectangle of cells; a visit reports the keys
// filed under the cells of another rectangle. Coordinates may be anywhere in
// the 32-bit range: only occupied cells take memory.
#pragma once

#include <cstdint>
#include <vector>

namespace zp {

class SpatialGrid {
public:
    // An inclusive rectangle of cells.
    struct CellSpan {
        std::int64_t x0 = 0;
        std::int64_t y0 = 0;
        std::int64_t x1 = -1;
        std::int64_t y1 = -1;

        bool operator==(const CellSpan& other) const
        {
            return x0 == other.x0 && y0 == other.y0 && x1 == other.x1 && y1 == other.y1;
        }
        bool operator!=(const CellSpan& other) const { return !(*this == other); }
        bool isEmpty() const { return x1 < x0 || y1 < y0; }
        // Number of cells; 0 when empty.
        std::int64_t cellCount() const { return isEmpty() ? 0 : (x1 - x0 + 1) * (y1 - y0 + 1); }
    };

    SpatialGrid(int init_cell_width, int init_cell_height);

    // The cells that an inclusive rectangle of world cells [x0, x1] x [y0, y1] touches.
    CellSpan cellsOf(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) const;

    void clear();
    // Files the key under every cell of the span; spans must lie within the
    // 32-bit range of cell numbers.
    void insert(int key, const CellSpan& span);
    // Undoes an insert with the same key and span.
    void remove(int key, const CellSpan& span);

    // Calls visit(key) for every filing under a cell of the span; a key filed
    // under several of those cells is reported once per cell.
    template <typename Visit> void visit(const CellSpan& span, Visit&& visit_key) const
    {
        for (std::int64_t y = span.y0; y <= span.y1; ++y)
            for (std::int64_t x = span.x0; x <= span.x1; ++x) {
                const std::int32_t cx = static_cast<std::int32_t>(x);
                const std::int32_t cy = static_cast<std::int32_t>(y);
                for (const Filing& filing : buckets[bucketOf(cx, cy)])
                    if (filing.cx == cx && filing.cy == cy)
                        visit_key(filing.key);
            }
    }

private:
    struct Filing {
        int key;
        std::int32_t cx;
        std::int32_t cy;
    };

    std::size_t bucketOf(std::int32_t cx, std::int32_t cy) const;
    void rehash(std::size_t bucket_count);

    int cell_width;
    int cell_height;
    std::vector<std::vector<Filing>> buckets;
    int bucket_bits = 0;
    std::size_t filing_count = 0;
};

} // namespace zp
