#include "BroadPhase.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

#include "zp/Box.h"
#include "zp/Object.h"
#include "zp/ObjectList.h"
#include "zp/ObjectListIterator.h"

namespace zp {
namespace {

// Cells of 8 x 8: the game's boxes (1 x 1 to 5 x 3) touch one to four cells.
constexpr int CELL_WIDTH = 8;
constexpr int CELL_HEIGHT = 8;
// A box that touches more cells than this is checked by every query instead.
constexpr std::int64_t MAX_FILED_CELLS = 16;
// A query touching more cells than this, and than there are objects, is
// answered faster by scanning the list.
constexpr std::int64_t MIN_SCAN_CELLS = 64;

constexpr std::int64_t INT32_LOW = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t INT32_HIGH = std::numeric_limits<std::int32_t>::max();

bool isInt32(std::int64_t value)
{
    return value >= INT32_LOW && value <= INT32_HIGH;
}

// The cells a box placed at `at` covers, both edges included, as the box
// test counts them. false for a box the test does not treat as a plain
// rectangle: a negative size, or an edge outside the 32-bit range.
bool worldExtent(const Box& box, Position at, std::int64_t& x0, std::int64_t& y0, std::int64_t& x1,
                 std::int64_t& y1)
{
    if (box.getHorizontal() < 0 || box.getVertical() < 0)
        return false;
    x0 = std::int64_t(at.getX()) + box.getCorner().getX();
    y0 = std::int64_t(at.getY()) + box.getCorner().getY();
    x1 = x0 + box.getHorizontal();
    y1 = y0 + box.getVertical();
    return isInt32(x0) && isInt32(y0) && isInt32(x1) && isInt32(y1);
}

} // namespace

BroadPhase::BroadPhase(const ObjectList* p_world_list)
    : p_list(p_world_list), box_grid(CELL_WIDTH, CELL_HEIGHT), position_grid(CELL_WIDTH, CELL_HEIGHT)
{
}

int BroadPhase::slotOf(const Object* p_o)
{
    return p_o->broad_phase_slot;
}

void BroadPhase::clear()
{
    for (Record& record : records)
        if (record.p_object != nullptr)
            record.p_object->broad_phase_slot = -1;
    records.clear();
    free_slots.clear();
    box_grid.clear();
    position_grid.clear();
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
        records[std::size_t(slot)] = Record();
    }
    Record& record = records[std::size_t(slot)];
    record.p_object = p_o;
    record.sequence = next_sequence++;
    record.entries = 1;
    p_o->broad_phase_slot = slot;
    ++record_count;

    Position pos = p_o->getPosition();
    record.position_cell = position_grid.cellsOf(pos.getX(), pos.getY(), pos.getX(), pos.getY());
    position_grid.insert(slot, record.position_cell);
    fileBox(slot);
}

void BroadPhase::remove(Object* p_o)
{
    if (p_o == nullptr || slotOf(p_o) < 0)
        return;
    const int slot = slotOf(p_o);
    Record& record = records[std::size_t(slot)];
    if (--record.entries == 0) {
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
    position_grid.remove(slot, record.position_cell);
    record.p_object->broad_phase_slot = -1;
    record = Record();
    free_slots.push_back(slot);
    --record_count;
}

void BroadPhase::refresh(Object* p_o)
{
    const int slot = slotOf(p_o);
    if (slot < 0)
        return;
    Record& record = records[std::size_t(slot)];

    const Position pos = p_o->getPosition();
    const CellSpan position_cell = position_grid.cellsOf(pos.getX(), pos.getY(), pos.getX(), pos.getY());
    if (position_cell != record.position_cell) {
        position_grid.remove(slot, record.position_cell);
        position_grid.insert(slot, position_cell);
        record.position_cell = position_cell;
    }

    CellSpan box_cells;
    const Filing filing = filingFor(p_o, box_cells);
    if (filing == record.filing && (filing != Filing::GRID || box_cells == record.box_cells))
        return;
    unfileBox(slot);
    fileBox(slot);
}

BroadPhase::Filing BroadPhase::filingFor(const Object* p_o, CellSpan& cells) const
{
    if (!p_o->isSolid())
        return Filing::NONE;
    std::int64_t x0, y0, x1, y1;
    if (!worldExtent(p_o->getBox(), p_o->getPosition(), x0, y0, x1, y1))
        return Filing::ALWAYS;
    cells = box_grid.cellsOf(x0, y0, x1, y1);
    return cells.cellCount() > MAX_FILED_CELLS ? Filing::ALWAYS : Filing::GRID;
}

void BroadPhase::fileBox(int slot)
{
    Record& record = records[std::size_t(slot)];
    record.filing = filingFor(record.p_object, record.box_cells);
    if (record.filing == Filing::GRID) {
        box_grid.insert(slot, record.box_cells);
        ++solid_in_grid;
    } else if (record.filing == Filing::ALWAYS) {
        always_checked.push_back(slot);
    }
}

void BroadPhase::unfileBox(int slot)
{
    Record& record = records[std::size_t(slot)];
    if (record.filing == Filing::GRID) {
        box_grid.remove(slot, record.box_cells);
        --solid_in_grid;
    } else if (record.filing == Filing::ALWAYS) {
        const auto found = std::find(always_checked.begin(), always_checked.end(), slot);
        *found = always_checked.back();
        always_checked.pop_back();
    }
    record.filing = Filing::NONE;
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
        if (found != slots.end())
            records[std::size_t(found->second)].sequence = sequence;
    }
    next_sequence = sequence;
}

bool BroadPhase::canAnswer() const
{
    // With an object in the list twice, list order is not one rank per object.
    return duplicate_entries == 0;
}

bool BroadPhase::collisionCandidates(const Object* p_o, Position where,
                                     std::vector<Object*>& candidates) const
{
    std::int64_t x0, y0, x1, y1;
    if (!canAnswer() || !worldExtent(p_o->getBox(), where, x0, y0, x1, y1))
        return false;
    const CellSpan cells = box_grid.cellsOf(x0, y0, x1, y1);
    if (cells.cellCount() > std::max<std::int64_t>(MIN_SCAN_CELLS, solid_in_grid))
        return false;
    startQuery();
    box_grid.visit(cells, [this](int slot) { report(slot); });
    for (int slot : always_checked)
        report(slot);
    finishQuery(candidates);
    return true;
}

bool BroadPhase::rangeCandidates(Position centre, int radius, std::vector<Object*>& candidates) const
{
    if (!canAnswer())
        return false;
    candidates.clear();
    if (radius < 0)
        return true; // no distance is negative
    // A whole distance of at most r needs |dx| <= r and 2.5 |dy| < r + 1; one
    // more cell each way keeps the rounding of the square root out of it.
    const std::int64_t reach_x = std::int64_t(radius) + 1;
    const std::int64_t reach_y = reach_x / 2 + 1;
    const CellSpan cells = position_grid.cellsOf(centre.getX() - reach_x, centre.getY() - reach_y,
                                                 centre.getX() + reach_x, centre.getY() + reach_y);
    if (cells.cellCount() > std::max<std::int64_t>(MIN_SCAN_CELLS, record_count))
        return false;
    startQuery();
    position_grid.visit(cells, [this](int slot) { report(slot); });
    finishQuery(candidates);
    return true;
}

void BroadPhase::startQuery() const
{
    reported.clear();
    if (++query_stamp == 0) {
        for (const Record& record : records)
            record.seen_in_query = 0;
        query_stamp = 1;
    }
}

void BroadPhase::report(int slot) const
{
    const Record& record = records[std::size_t(slot)];
    if (record.seen_in_query == query_stamp)
        return;
    record.seen_in_query = query_stamp;
    reported.push_back(slot);
}

void BroadPhase::finishQuery(std::vector<Object*>& candidates) const
{
    std::sort(reported.begin(), reported.end(), [this](int a, int b) {
        return records[std::size_t(a)].sequence < records[std::size_t(b)].sequence;
    });
    candidates.clear();
    for (int slot : reported)
        candidates.push_back(records[std::size_t(slot)].p_object);
}

} // namespace zp
