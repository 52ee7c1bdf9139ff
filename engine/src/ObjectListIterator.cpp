#include "zp/ObjectListIterator.h"

#include "zp/ObjectList.h"

#include <cstddef>

namespace zp {

ObjectListIterator::ObjectListIterator(const ObjectList* p_l) : p_list(p_l)
{
}

void ObjectListIterator::first()
{
    index = 0;
}

void ObjectListIterator::next()
{
    if (index < p_list->getCount())
        ++index;
}

bool ObjectListIterator::isDone() const
{
    // At or past the end: a list that shrank under the walk ends it too.
    return index >= p_list->getCount();
}

Object* ObjectListIterator::currentObject() const
{
    return isDone() ? nullptr : p_list->p_obj[static_cast<std::size_t>(index)];
}

} // namespace zp
