/// \file
/// Sent to an object whose timer is due (WorldManager::startTimer, or
/// Object::startTimer): in the world step the timer was asked for, after
/// that step's step events and before the world's update.
#pragma once

#include "zp/Event.h"

#include <string>

namespace zp {

inline const std::string TIMER_EVENT = "zp::timer";

class EventTimer : public Event {
public:
    /// The type string of this class's events, for eventAs.
    static const std::string& eventType() { return TIMER_EVENT; }

    EventTimer();
    EventTimer(std::string name, int step_count);

    /// The name the timer was started with.
    const std::string& getName() const;
    void setName(std::string new_name);
    /// The world step it came in (the step events of that step carried the same count).
    int getStepCount() const;
    void setStepCount(int new_step_count);

private:
    std::string name;
    int step_count = 0;
};

} // namespace zp
