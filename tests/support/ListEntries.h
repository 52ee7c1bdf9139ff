// Entries for object-list tests: distinct addresses that the list stores but
// never dereferences, and what a walk over a list finds.
#pragma once

#include "zp/ObjectList.h"
#include "zp/ObjectListIterator.h"

#include <vector>

namespace zp::test {

inline std::vector<Object*> fakePointers(int count)
{
    static char storage[MAX_OBJECTS + 10];
    std::vector<Object*> pointers;
    for (int i = 0; i < count; ++i)
        pointers.push_back(reinterpret_cast<Object*>(&storage[i]));
    return pointers;
}

inline std::vector<Object*> walk(const ObjectList& list)
{
    std::vector<Object*> seen;
    for (ObjectListIterator it(&list); !it.isDone(); it.next())
        seen.push_back(it.currentObject());
    return seen;
}

} // namespace zp::test
