/// \file
/// Sent by the world to an object that stands outside the window after a move.
#pragma once

#include "zp/Event.h"

namespace zp {

inline const std::string OUT_EVENT = "zp::out";

class EventOut : public Event {
public:
    EventOut();
};

} // namespace zp
