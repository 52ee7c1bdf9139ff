#include "BroadPhase.h"

#include "zp/Box.h"
#include "zp/Object.h"
#include "zp/ObjectList.h"
#include "zp/ObjectListIterator.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace zp {
namespace {

// Grid cells of 8 x 8: the game's boxes (1 x 1 to 5 x 3) touch one to four.
constexpr int CELL_SHIFT = 3;
// A box that touches more grid cells than this is checked by every query.
constexpr std::int64_t MAX_FILED_CELLS = 16;
// A query touching more grid cells than this, and than there are objects,
// is answered faster by scanning the list.
constexpr std::int64_t MIN_SCAN_CELLS = 64;
// Reports up to this long are sorted by insertion.
constexpr std::size_t SHORT_REPORT = 32;
// A query that finds more than one object in this many leaves it to a scan.
constexpr std::size_t CROWD_SHARE = 4;

constexpr std::int64_t INT32_LOW = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t INT32_HIGH = std::numeric_limits<std::int32_t>::max();

bool isInt32(std::int64_t value)
{
    return value >= INT32_LOW && value <= INT32_HIGH;
}

} // namespace

BroadPhase::BroadPhase(const ObjectList* p_world_list)
    : p_list(p_world_list), box_grid(CELL_SHIFT), position_grid(CELL_SHIFT)
{
}

int BroadPhase::slotOf(const Object* p_o)
{
    return p_o->broad_phase_slot;
}

// The cells the object's box covers when placed at `at`, both edges
// included, as the box test counts them. false for a box that the test does
// not treat as a plain rectangle: a negative size, or an edge beyond the
// 32-bit range.
bool BroadPhase::extentOf(const Object* p_o, Position at, Rect& extent)
{
    const Box box = p_o->getBox();
    if (box.getHorizontal() < 0 || box.getVertical() < 0)
        return false;
    extent.x0 = std::int64_t(at.getX()) + box.getCorner().getX();
    extent.y0 = std::int64_t(at.getY()) + box.getCorner().getY();
    extent.x1 = extent.x0 + box.getHorizontal();
    extent.y1 = extent.y0 + box.getVertical();
    return isInt32(extent.x0) && isInt32(extent.y0) && isInt32(extent.x1) && isInt32(extent.y1);
}

BroadPhase::Rect BroadPhase::pointAt(Position pos)
{
    return Rect{pos.getX(), pos.getY(), pos.getX(), pos.getY()};
}

BroadPhase::Filing BroadPhase::filingFor(const Object* p_o, Rect& extent) const
{
    if (!p_o->isSolid())
        return Filing::NONE;
    if (!extentOf(p_o, p_o->getPosition(), extent))
        return Filing::ALWAYS;
    return box_grid.cellCount(extent) > MAX_FILED_CELLS ? Filing::ALWAYS : Filing::GRID;
}

SpatialGrid::Entry BroadPhase::entryOf(const Record& record) const
{
    return SpatialGrid::Entry{record.p_object, record.sequence};
}

void BroadPhase::clear()
{
    for (const Record& record : records)
        if (record.p_object != nullptr)
            record.p_object->broad_phase_slot = -1;
    records.clear();
    free_slots.clear();
    box_grid.clear();
    position_grid.clear();
    positions_indexed = false;
    always_checked.clear();
    next_sequence = 0;
    record_count = 0;
    solid_in_grid = 0;
    duplicate_entries = 0;
}

void BroadPhase::add(Object* p_o)
{
    if (p_o == nullptr)
        return;
    if (slotOf(p_o) >= 0) {
        ++records[std::size_t(slotOf(p_o))].entries;
        ++duplicate_entries;
        return;
    }
    int slot;
    if (free_slots.empty()) {
        slot = int(records.size());
        records.emplace_back();
    } else {
        slot = free_slots.back();
        free_slots.pop_back();
    }
    Record& record = records[std::size_t(slot)];
    record = Record();
    record.p_object = p_o;
    record.sequence = next_sequence++;
    record.entries = 1;
    p_o->broad_phase_slot = slot;
    ++record_count;

    record.position = pointAt(p_o->getPosition());
    if (positions_indexed)
        position_grid.insert(entryOf(record), record.position);
    Rect box;
    const Filing filing = filingFor(p_o, box);
    fileBox(slot, filing, box);
}

void BroadPhase::remove(Object* p_o)
{
    if (p_o == nullptr || slotOf(p_o) < 0)
        return;
    const int slot = slotOf(p_o);
    if (--records[std::size_t(slot)].entries == 0) {
        release(slot);
        return;
    }
    if (--duplicate_entries == 0)
        resequence();
}

void BroadPhase::forget(Object* p_o)
{
    if (p_o == nullptr || slotOf(p_o) < 0)
        return;
    const int slot = slotOf(p_o);
    const int extra_entries = records[std::size_t(slot)].entries - 1;
    release(slot);
    if (extra_entries > 0) {
        duplicate_entries -= extra_entries;
        if (duplicate_entries == 0)
            resequence();
    }
}

void BroadPhase::release(int slot)
{
    Record& record = records[std::size_t(slot)];
    unfileBox(slot);
    if (positions_indexed)
        position_grid.remove(record.p_object, record.position);
    record.p_object->broad_phase_slot = -1;
    record = Record();
    free_slots.push_back(slot);
    --record_count;
}

void BroadPhase::fileBox(int slot, Filing filing, const Rect& box)
{
    Record& record = records[std::size_t(slot)];
    record.filing = filing;
    record.box = box;
    if (filing == Filing::GRID) {
        box_grid.insert(entryOf(record), box);
        ++solid_in_grid;
    } else if (filing == Filing::ALWAYS) {
        always_checked.push_back(slot);
    }
}

void BroadPhase::unfileBox(int slot)
{
    Record& record = records[std::size_t(slot)];
    if (record.filing == Filing::GRID) {
        box_grid.remove(record.p_object, record.box);
        --solid_in_grid;
    } else if (record.filing == Filing::ALWAYS) {
        const auto found = std::find(always_checked.begin(), always_checked.end(), slot);
        *found = always_checked.back();
        always_checked.pop_back();
    }
    record.filing = Filing::NONE;
}

void BroadPhase::refresh(Object* p_o)
{
    const int slot = slotOf(p_o);
    if (slot < 0)
        return;
    Record& record = records[std::size_t(slot)];

    const Rect position = pointAt(p_o->getPosition());
    if (position != record.position) {
        if (positions_indexed)
            position_grid.move(entryOf(record), record.position, position);
        record.position = position;
    }

    Rect box;
    const Filing filing = filingFor(p_o, box);
    if (filing == record.filing && (filing != Filing::GRID || box == record.box))
        return;
    if (filing == Filing::GRID && record.filing == Filing::GRID) {
        box_grid.move(entryOf(record), record.box, box);
        record.box = box;
        return;
    }
    unfileBox(slot);
    fileBox(slot, filing, box);
}

void BroadPhase::resequence()
{
    // The list may still hold pointers to objects destroyed while they stood
    // in it twice, so entries are matched by address, never followed.
    std::unordered_map<const Object*, int> slots;
    for (std::size_t slot = 0; slot < records.size(); ++slot)
        if (records[slot].p_object != nullptr)
            slots.emplace(records[slot].p_object, int(slot));
    std::uint64_t sequence = 0;
    for (ObjectListIterator it(p_list); !it.isDone(); it.next(), ++sequence) {
        const auto found = slots.find(it.currentObject());
        if (found == slots.end())
            continue;
        Record& record = records[std::size_t(found->second)];
        record.sequence = sequence;
        if (positions_indexed)
            position_grid.rerank(record.p_object, record.position, sequence);
        if (record.filing == Filing::GRID)
            box_grid.rerank(record.p_object, record.box, sequence);
    }
    next_sequence = sequence;
}

bool BroadPhase::canAnswer() const
{
    // With an object in the list twice, list order is not one rank per object.
    return duplicate_entries == 0;
}

const std::vector<BroadPhase::Candidate>* BroadPhase::collisionCandidates(const Object* p_o,
                                                                          Position where) const
{
    Rect query;
    if (!canAnswer() || !extentOf(p_o, where, query))
        return nullptr;
    if (box_grid.cellCount(query) > std::max<std::int64_t>(MIN_SCAN_CELLS, solid_in_grid))
        return nullptr;
    // Filed boxes are plain rectangles, so overlapping extents are exactly
    // what the box test calls intersecting.
    reported.clear();
    box_grid.visit(query, [this](const SpatialGrid::Entry& entry) { report(entry, false); });
    for (int slot : always_checked)
        report(entryOf(records[std::size_t(slot)]), true);
    if (isCrowd())
        return nullptr;
    sortReported();
    return &reported;
}

const std::vector<Object*>* BroadPhase::rangeCandidates(Position centre, int radius)
{
    if (!canAnswer())
        return nullptr;
    range_candidates.clear();
    if (radius < 0)
        return &range_candidates; // no distance is negative
    // A whole distance of at most r needs |dx| <= r and 2.5 |dy| < r + 1; one
    // more cell each way keeps the rounding of the square root out of it.
    const std::int64_t reach_x = std::int64_t(radius) + 1;
    const std::int64_t reach_y = reach_x / 2 + 1;
    const Rect reach{centre.getX() - reach_x, centre.getY() - reach_y, centre.getX() + reach_x,
                     centre.getY() + reach_y};
    if (position_grid.cellCount(reach) > std::max<std::int64_t>(MIN_SCAN_CELLS, record_count))
        return nullptr;
    if (!positions_indexed) {
        for (const Record& record : records)
            if (record.p_object != nullptr)
                position_grid.insert(entryOf(record), record.position);
        positions_indexed = true;
    }
    reported.clear();
    position_grid.visit(reach, [this](const SpatialGrid::Entry& entry) { report(entry, true); });
    if (isCrowd())
        return nullptr;
    sortReported();
    for (const Candidate& found : reported)
        range_candidates.push_back(found.p_object);
    return &range_candidates;
}

void BroadPhase::report(const SpatialGrid::Entry& entry, bool needs_test) const
{
    reported.push_back(Candidate{entry.rank, entry.p_object, needs_test});
}

bool BroadPhase::isCrowd() const
{
    // Sorting a good part of the world costs more than a scan of the list,
    // which finds everything in list order to begin with.
    return reported.size() > SHORT_REPORT && reported.size() * CROWD_SHARE > std::size_t(record_count);
}

void BroadPhase::sortReported() const
{
    const auto earlier = [](const Candidate& a, const Candidate& b) { return a.sequence < b.sequence; };
    if (reported.size() > SHORT_REPORT) {
        std::sort(reported.begin(), reported.end(), earlier);
        return;
    }
    // Most queries find a handful of objects, which an insertion sort suits.
    for (std::size_t i = 1; i < reported.size(); ++i) {
        const Candidate found = reported[i];
        std::size_t j = i;
        for (; j > 0 && earlier(found, reported[j - 1]); --j)
            reported[j] = reported[j - 1];
        reported[j] = found;
    }
}

} // namespace zp
