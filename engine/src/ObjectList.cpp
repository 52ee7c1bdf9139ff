#include "zp/ObjectList.h"

namespace zp {

void ObjectList::clear()
{
    count = 0;
}

int ObjectList::insert(Object* p_o)
{
    if (isFull())
        return 0;
    p_obj[count++] = p_o;
    return 1;
}

int ObjectList::remove(Object* p_o)
{
    for (int i = 0; i < count; ++i) {
        if (p_obj[i] != p_o)
            continue;
        for (int j = i; j < count - 1; ++j)
            p_obj[j] = p_obj[j + 1];
        --count;
        return 1;
    }
    return 0;
}

int ObjectList::getCount() const
{
    return count;
}

bool ObjectList::isEmpty() const
{
    return count == 0;
}

bool ObjectList::isFull() const
{
    return count >= MAX_OBJECTS - 1;
}

} // namespace zp
