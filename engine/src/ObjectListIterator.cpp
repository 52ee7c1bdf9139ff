#include "zp/ObjectListIterator.h"

namespace zp {

ObjectListIterator::ObjectListIterator(const ObjectList* p_l) : p_list(p_l)
{
}

} // namespace zp
