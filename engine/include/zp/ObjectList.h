/// \file
/// A fixed-capacity list of object pointers in insertion order. It never owns
/// the objects. A copy is a snapshot that stays valid while handlers create or
/// remove objects; it copies all 5,000 slots (40 KB), however few are in use.
#pragma once

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
    int getCount() const;
    bool isEmpty() const;
    /// Full at MAX_OBJECTS - 1 entries.
    bool isFull() const;

private:
    friend class ObjectListIterator;

    int count = 0;
    Object* p_obj[MAX_OBJECTS] = {};
};

} // namespace zp
