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
    void rerank(const Object* p_object, const Rect& rect, std::uint64_t rank);

    // Calls visit_entry(entry) once for every filed rectangle that overlaps `query`.
    template <typename Visit> void visit(const Rect& query, Visit&& visit_entry) const
    {
        const Span span = spanOf(query);
        for (std::int32_t cy = span.y0; cy <= span.y1; ++cy)
            for (std::int32_t cx = span.x0; cx <= span.x1; ++cx)
                for (const Filing& filing : buckets[bucketOf(cx, cy)]) {
                    if (filing.cx != cx || filing.cy != cy || !overlaps(filing, query))
                        continue;
                    // A pair may overlap in several cells, but the first
                    // corner of the overlap lies in just one of them.
                    if (cellOf(std::max<std::int64_t>(filing.x0, query.x0)) == cx &&
                        cellOf(std::max<std::int64_t>(filing.y0, query.y0)) == cy)
                        visit_entry(filing.entry);
                }
    }

private:
    struct Span {
        std::int32_t x0;
        std::int32_t y0;
        std::int32_t x1;
        std::int32_t y1;
    };

    struct Filing {
        Entry entry;
        std::int32_t cx;
        std::int32_t cy;
        std::int32_t x0;
        std::int32_t y0;
        std::int32_t x1;
        std::int32_t y1;
    };

    static bool overlaps(const Filing& filing, const Rect& query)
    {
        return filing.x0 <= query.x1 && query.x0 <= filing.x1 && filing.y0 <= query.y1 &&
               query.y0 <= filing.y1;
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
    std::size_t bucketOf(std::int32_t cx, std::int32_t cy) const
    {
        // Fibonacci hashing of both cell numbers: neighbouring cells spread
        // over the table, and the top bits are the best mixed.
        const std::uint64_t cell = (std::uint64_t(std::uint32_t(cx)) << 32) | std::uint32_t(cy);
        return std::size_t((cell * 0x9E3779B97F4A7C15ull) >> (64 - bucket_bits));
    }
    Filing* find(const Object* p_object, std::int32_t cx, std::int32_t cy);
    void rehash(std::size_t bucket_count);

    int shift;
    std::vector<std::vector<Filing>> buckets;
    int bucket_bits = 0;
    std::size_t filing_count = 0;
};

} // namespace zp
