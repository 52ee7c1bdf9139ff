/// \file
/// Sent by the world to an object that stands outside the window after a move.
#pragma once

#include "zp/Event.h"

namespace zp {

inline const std::string OUT_EVENT = "zp::out";

class EventOut : public Event {
public:
    /// The type string of this class's events, for eventAs.
    static const std::string& eventType() { return OUT_EVENT; }

    EventOut();
};

} // namespace zp
