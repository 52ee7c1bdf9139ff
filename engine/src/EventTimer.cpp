#include "zp/EventTimer.h"

#include <utility>

namespace zp {

EventTimer::EventTimer()
{
    setType(TIMER_EVENT);
}

EventTimer::EventTimer(std::string timer_name, int timer_step_count)
    : name(std::move(timer_name)), step_count(timer_step_count)
{
    setType(TIMER_EVENT);
}

const std::string& EventTimer::getName() const
{
    return name;
}

void EventTimer::setName(std::string new_name)
{
    name = std::move(new_name);
}

int EventTimer::getStepCount() const
{
    return step_count;
}

void EventTimer::setStepCount(int new_step_count)
{
    step_count = new_step_count;
}

} // namespace zp
