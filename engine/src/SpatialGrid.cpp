#include "SpatialGrid.h"

#include <algorithm>
#include <limits>

namespace zp {
namespace {

constexpr int INITIAL_BUCKET_BITS = 10;
// Filings per bucket on average before the table doubles.
constexpr std::size_t MAX_LOAD = 2;
constexpr std::int64_t INT32_LOW = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t INT32_HIGH = std::numeric_limits<std::int32_t>::max();

// Division that rounds towards negative infinity, so cell -1 holds -8 ... -1.
std::int64_t floorDiv(std::int64_t value, std::int64_t divisor)
{
    const std::int64_t quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

} // namespace

SpatialGrid::SpatialGrid(int init_cell_width, int init_cell_height)
    : cell_width(init_cell_width), cell_height(init_cell_height)
{
    rehash(std::size_t(1) << INITIAL_BUCKET_BITS);
}

SpatialGrid::CellSpan SpatialGrid::cellsOf(std::int64_t x0, std::int64_t y0, std::int64_t x1,
                                           std::int64_t y1) const
{
    // Nothing is filed beyond the 32-bit range, so a query reaching past it
    // stops at its edge.
    const auto clamp = [](std::int64_t value) { return std::clamp(value, INT32_LOW, INT32_HIGH); };
    x0 = clamp(x0);
    y0 = clamp(y0);
    x1 = clamp(x1);
    y1 = clamp(y1);
    return CellSpan{floorDiv(x0, cell_width), floorDiv(y0, cell_height), floorDiv(x1, cell_width),
                    floorDiv(y1, cell_height)};
}

void SpatialGrid::clear()
{
    for (auto& bucket : buckets)
        bucket.clear();
    filing_count = 0;
}

std::size_t SpatialGrid::bucketOf(std::int32_t cx, std::int32_t cy) const
{
    // Fibonacci hashing of both cell numbers: neighbouring cells spread over
    // the table, and the top bits are the best mixed.
    const std::uint64_t key = (std::uint64_t(std::uint32_t(cx)) << 32) | std::uint32_t(cy);
    return std::size_t((key * 0x9E3779B97F4A7C15ull) >> (64 - bucket_bits));
}

void SpatialGrid::rehash(std::size_t bucket_count)
{
    std::vector<std::vector<Filing>> old_buckets;
    old_buckets.swap(buckets);
    buckets.resize(bucket_count);
    bucket_bits = 0;
    while ((std::size_t(1) << bucket_bits) < bucket_count)
        ++bucket_bits;
    for (const auto& bucket : old_buckets)
        for (const Filing& filing : bucket)
            buckets[bucketOf(filing.cx, filing.cy)].push_back(filing);
}

void SpatialGrid::insert(int key, const CellSpan& span)
{
    filing_count += std::size_t(span.cellCount());
    if (filing_count > MAX_LOAD * buckets.size())
        rehash(buckets.size() * 2);
    for (std::int64_t y = span.y0; y <= span.y1; ++y)
        for (std::int64_t x = span.x0; x <= span.x1; ++x) {
            const Filing filing{key, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
            buckets[bucketOf(filing.cx, filing.cy)].push_back(filing);
        }
}

void SpatialGrid::remove(int key, const CellSpan& span)
{
    for (std::int64_t y = span.y0; y <= span.y1; ++y)
        for (std::int64_t x = span.x0; x <= span.x1; ++x) {
            const auto cx = static_cast<std::int32_t>(x);
            const auto cy = static_cast<std::int32_t>(y);
            auto& bucket = buckets[bucketOf(cx, cy)];
            const auto found = std::find_if(bucket.begin(), bucket.end(), [&](const Filing& filing) {
                return filing.key == key && filing.cx == cx && filing.cy == cy;
            });
            if (found == bucket.end())
                continue;
            *found = bucket.back();
            bucket.pop_back();
            --filing_count;
        }
}

} // namespace zp
