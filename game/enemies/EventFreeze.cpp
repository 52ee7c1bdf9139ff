#include "enemies/EventFreeze.h"

#include "content/GameEvents.h"

EventFreeze::EventFreeze(int new_steps) : steps(new_steps)
{
    setType(FREEZE_EVENT);
}

int EventFreeze::getSteps() const
{
    return steps;
}
