// "FreezeEvent", handed by a freezing turret straight to its target: how many
// steps the freeze holds the enemy, if it is the enemy's first.
#pragma once

#include "zp/Event.h"

class EventFreeze : public zp::Event {
public:
    explicit EventFreeze(int new_steps);

    int getSteps() const;

private:
    int steps = 0;
};
