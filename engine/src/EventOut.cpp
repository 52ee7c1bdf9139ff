#include "zp/EventOut.h"

namespace zp {

EventOut::EventOut()
{
    setType(OUT_EVENT);
}

} // namespace zp
