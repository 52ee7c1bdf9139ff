// The world's index of where its objects are. It names, in the order of the
// world's list, the objects that may touch a box or stand near a point, so
// the world's exact tests run on a few candidates instead of every object.
// The world reports every object that enters or leaves its list and every
// change to an object's position, box or solidness.
#pragma once

#include "SpatialGrid.h"

#include "zp/Position.h"

#include <cstdint>
#include <vector>

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

    struct Candidate {
        // The object's place in list order, which the candidates follow.
        std::uint64_t sequence;
        Object* p_object;
        // true for an object whose box is too odd for the index: it still
        // needs the box test. The others touch the box and are solid.
        bool needs_test;
    };

    // The solid objects whose world box touches the box of `p_o` placed at
    // `where`, in list order, perhaps `p_o` itself among them. nullptr when
    // the index cannot answer (an odd box, or an object twice in the list):
    // the caller then scans the list. Valid until the next query.
    const std::vector<Candidate>* collisionCandidates(const Object* p_o, Position where) const;
    // The objects whose position may be within `radius` of `centre` in scaled
    // distance, in list order, or nullptr when the caller must scan the list.
    // Valid until the next query. The first one indexes every position.
    const std::vector<Object*>* rangeCandidates(Position centre, int radius);

private:
    using Rect = SpatialGrid::Rect;

    // Where an object's box is filed for collisions.
    enum class Filing { NONE, GRID, ALWAYS };

    struct Record {
        Object* p_object = nullptr;
        // Rank in the world's list: later entries have larger numbers.
        std::uint64_t sequence = 0;
        // Times the object stands in the list.
        int entries = 0;
        Filing filing = Filing::NONE;
        // The box as filed in the grid, and the position as filed.
        Rect box;
        Rect position;
    };

    static int slotOf(const Object* p_o);
    static bool extentOf(const Object* p_o, Position at, Rect& extent);
    static Rect pointAt(Position pos);
    Filing filingFor(const Object* p_o, Rect& extent) const;
    SpatialGrid::Entry entryOf(const Record& record) const;
    void fileBox(int slot, Filing filing, const Rect& box);
    void unfileBox(int slot);
    void release(int slot);
    void resequence();
    bool canAnswer() const;
    void report(const SpatialGrid::Entry& entry, bool needs_test) const;
    bool isCrowd() const;
    void sortReported() const;

    const ObjectList* p_list;
    std::vector<Record> records;
    std::vector<int> free_slots;
    SpatialGrid box_grid;
    // Built by the first range query, so a world that asks none does not
    // keep it up to date.
    SpatialGrid position_grid;
    bool positions_indexed = false;
    // Solid objects whose boxes are too large or too odd for the grid.
    std::vector<int> always_checked;
    std::uint64_t next_sequence = 0;
    int record_count = 0;
    int solid_in_grid = 0;
    // Extra entries of objects that stand in the list more than once.
    int duplicate_entries = 0;

    // What a query found, with the rank to sort by; queries call no handler,
    // so one buffer serves them all, and a collision query hands it out.
    mutable std::vector<Candidate> reported;
    mutable std::vector<Object*> range_candidates;
};

} // namespace zp
