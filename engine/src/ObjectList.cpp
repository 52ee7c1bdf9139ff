#include "zp/ObjectList.h"

#include <algorithm>

namespace zp {

void ObjectList::clear()
{
    p_obj.clear();
}

int ObjectList::insert(Object* p_o)
{
    if (isFull())
        return 0;
    p_obj.push_back(p_o);
    return 1;
}

int ObjectList::remove(Object* p_o)
{
    const auto found = std::find(p_obj.begin(), p_obj.end(), p_o);
    if (found == p_obj.end())
        return 0;
    p_obj.erase(found);
    return 1;
}

bool ObjectList::isFull() const
{
    return getCount() >= MAX_OBJECTS - 1;
}

} // namespace zp
