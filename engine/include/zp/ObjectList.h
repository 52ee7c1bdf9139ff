/// \file
/// A list of object pointers in insertion order, holding at most
/// MAX_OBJECTS - 1 entries. It never owns the objects. Its storage grows with
/// its entries, so a copy (a snapshot that stays valid while handlers create or
/// remove objects) costs what the list holds.
#pragma once

#include <vector>

namespace zp {

class Object;

const int MAX_OBJECTS = 5000;

class ObjectList {
public:
    ObjectList() = default;

    void clear();
    /// 1 when appended, 0 when the list is full.
    int insert(Object* p_o);
    /// Removes the first entry equal to p_o, keeping the order of the rest;
    /// 1 when found, 0 otherwise.
    int remove(Object* p_o);
    /// Inline: the world's walks ask for these once per object.
    int getCount() const { return static_cast<int>(p_obj.size()); }
    bool isEmpty() const { return p_obj.empty(); }
    /// Full at MAX_OBJECTS - 1 entries.
    bool isFull() const;

    using const_iterator = std::vector<Object*>::const_iterator;
    /// The entries in order, for range-for.
    const_iterator begin() const { return p_obj.begin(); }
    const_iterator end() const { return p_obj.end(); }

private:
    friend class ObjectListIterator;
    /// Sizes its result lists once and walks them directly.
    friend class WorldManager;

    std::vector<Object*> p_obj;
};

} // namespace zp
