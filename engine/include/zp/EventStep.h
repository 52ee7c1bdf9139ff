/// \file
/// Sent by the game loop to every object once per iteration.
#pragma once

#include "zp/Event.h"

namespace zp {

inline const std::string STEP_EVENT = "zp::step";

class EventStep : public Event {
public:
    /// The type string of this class's events, for eventAs.
    static const std::string& eventType() { return STEP_EVENT; }

    EventStep();
    explicit EventStep(int init_step_count);

    int getStepCount() const;
    void setStepCount(int new_step_count);

private:
    int step_count = 0;
};

} // namespace zp
