// The world's index of where its objects are. It names, in the order of the
// world's list, the objects that may touch a box or stand near a point, so
// the world's exact tests run on a few candidates instead of every object.
// The world reports every object that enters or leaves its list and every
// change to an object's position, box or solidness.
#pragma once

#include <cstdint>
#include <vector>

#include "SpatialGrid.h"
#include "zp/Position.h"

namespace zp {

class Object;
class ObjectList;

class BroadPhase {
public:
    // `p_list` is the world's list, whose order the candidates follow.
    explicit BroadPhase(const ObjectList* p_list);
    BroadPhase(const BroadPhase&) = delete;
    BroadPhase& operator=(const BroadPhase&) = delete;

    // Forgets every object (the world emptied its list).
    void clear();
    // The object was appended to the list (again).
    void add(Object* p_o);
    // One entry of the object left the list.
    void remove(Object* p_o);
    // The object is being destroyed: every entry of it is forgotten.
    void forget(Object* p_o);
    // The object's position, box or solidness may have changed.
    void refresh(Object* p_o);

    // The solid objects whose world box may touch the box of `p_o` placed at
    // `where`, in list order, plus objects whose boxes are too odd to file.
    // false when the index cannot answer (an odd box, or an object twice in
    // the list): the caller then scans the whole list.
    bool collisionCandidates(const Object* p_o, Position where, std::vector<Object*>& candidates) const;
    // The objects whose position may be within `radius` of `centre` in scaled
    // distance, in list order; false when the caller must scan the list.
    bool rangeCandidates(Position centre, int radius, std::vector<Object*>& candidates) const;

private:
    using CellSpan = SpatialGrid::CellSpan;

    // Where an object's box is filed for collisions.
    enum class Filing { NONE, GRID, ALWAYS };

    struct Record {
        Object* p_object = nullptr;
        // Rank in the world's list: later entries have larger numbers.
        std::uint64_t sequence = 0;
        // Times the object stands in the list.
        int entries = 0;
        Filing filing = Filing::NONE;
        CellSpan box_cells;
        CellSpan position_cell;
        // Last query that reported this record, so a query reports it once.
        mutable std::uint32_t seen_in_query = 0;
    };

    static int slotOf(const Object* p_o);
    Filing filingFor(const Object* p_o, CellSpan& cells) const;
    void fileBox(int slot);
    void unfileBox(int slot);
    void release(int slot);
    void resequence();
    bool canAnswer() const;
    void startQuery() const;
    void report(int slot) const;
    void finishQuery(std::vector<Object*>& candidates) const;

    const ObjectList* p_list;
    std::vector<Record> records;
    std::vector<int> free_slots;
    SpatialGrid box_grid;
    SpatialGrid position_grid;
    // Solid objects whose boxes are too large or too odd for the grid.
    std::vector<int> always_checked;
    std::uint64_t next_sequence = 0;
    int record_count = 0;
    int solid_in_grid = 0;
    // Extra entries of objects that stand in the list more than once.
    int duplicate_entries = 0;

    mutable std::uint32_t query_stamp = 0;
    mutable std::vector<int> reported;
};

} // namespace zp
