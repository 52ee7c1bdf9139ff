/// \file
/// Walks a live ObjectList: entries added during the walk are visited too.
#pragma once

namespace zp {

class Object;
class ObjectList;

class ObjectListIterator {
public:
    explicit ObjectListIterator(const ObjectList* p_l);

    void first();
    void next();
    bool isDone() const;
    /// The entry at the current position, or nullptr past the end.
    Object* currentObject() const;

private:
    int index = 0;
    const ObjectList* p_list;
};

} // namespace zp
