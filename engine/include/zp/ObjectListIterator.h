/// \file
/// Walks a live ObjectList: entries added during the walk are visited too.
#pragma once

#include "zp/ObjectList.h"

#include <cstddef>

namespace zp {

class Object;

class ObjectListIterator {
public:
    explicit ObjectListIterator(const ObjectList* p_l);

    /// Inline: every walk of the world calls these once per object.
    void first() { index = 0; }
    void next()
    {
        if (index < p_list->getCount())
            ++index;
    }
    /// At or past the end: a list that shrank under the walk ends it too.
    bool isDone() const { return index >= p_list->getCount(); }
    /// The entry at the current position, or nullptr past the end.
    Object* currentObject() const
    {
        return isDone() ? nullptr : p_list->p_obj[static_cast<std::size_t>(index)];
    }

private:
    int index = 0;
    const ObjectList* p_list;
};

} // namespace zp
