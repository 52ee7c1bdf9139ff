#include "SpatialGrid.h"

namespace zp {
namespace {

constexpr int INITIAL_BUCKET_BITS = 10;
// Filings per bucket on average before the table doubles.
constexpr std::size_t MAX_LOAD = 2;

} // namespace

SpatialGrid::SpatialGrid(int cell_shift) : shift(cell_shift)
{
    rehash(std::size_t(1) << INITIAL_BUCKET_BITS);
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
    for (auto& bucket : buckets)
        bucket.clear();
    filing_count = 0;
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

SpatialGrid::Filing* SpatialGrid::find(const Object* p_object, std::int32_t cx, std::int32_t cy)
{
    for (Filing& filing : buckets[bucketOf(cx, cy)])
        if (filing.entry.p_object == p_object && filing.cx == cx && filing.cy == cy)
            return &filing;
    return nullptr;
}

void SpatialGrid::insert(const Entry& entry, const Rect& rect)
{
    const Span span = spanOf(rect);
    filing_count += std::size_t(cellCount(rect));
    if (filing_count > MAX_LOAD * buckets.size())
        rehash(buckets.size() * 2);
    for (std::int32_t cy = span.y0; cy <= span.y1; ++cy)
        for (std::int32_t cx = span.x0; cx <= span.x1; ++cx)
            buckets[bucketOf(cx, cy)].push_back(Filing{entry, cx, cy, std::int32_t(rect.x0),
                                                       std::int32_t(rect.y0), std::int32_t(rect.x1),
                                                       std::int32_t(rect.y1)});
}

void SpatialGrid::remove(const Object* p_object, const Rect& rect)
{
    const Span span = spanOf(rect);
    for (std::int32_t cy = span.y0; cy <= span.y1; ++cy)
        for (std::int32_t cx = span.x0; cx <= span.x1; ++cx) {
            Filing* p_filing = find(p_object, cx, cy);
            if (p_filing == nullptr)
                continue;
            auto& bucket = buckets[bucketOf(cx, cy)];
            *p_filing = bucket.back();
            bucket.pop_back();
            --filing_count;
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
    for (std::int32_t cy = span.y0; cy <= span.y1; ++cy)
        for (std::int32_t cx = span.x0; cx <= span.x1; ++cx)
            if (Filing* p_filing = find(entry.p_object, cx, cy)) {
                p_filing->x0 = std::int32_t(to.x0);
                p_filing->y0 = std::int32_t(to.y0);
                p_filing->x1 = std::int32_t(to.x1);
                p_filing->y1 = std::int32_t(to.y1);
            }
}

void SpatialGrid::rerank(const Object* p_object, const Rect& rect, std::uint64_t rank)
{
    const Span span = spanOf(rect);
    for (std::int32_t cy = span.y0; cy <= span.y1; ++cy)
        for (std::int32_t cx = span.x0; cx <= span.x1; ++cx)
            if (Filing* p_filing = find(p_object, cx, cy))
                p_filing->entry.rank = rank;
}

} // namespace zp
