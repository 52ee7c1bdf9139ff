// Which turret the player's turret commands (the targeting and upgrade keys)
// act on. Until turrets can be selected, it is the turret under the mouse
// pointer; selection replaces this rule here, and nowhere else.
#pragma once

#include "zp/Event.h"
#include "zp/Position.h"

class Turret;

class CommandTarget {
public:
    // Follows the pointer's moves.
    void handle(const zp::Event* p_e);
    // The turret the commands act on now, or null: a sold turret is gone.
    Turret* turret() const;

private:
    bool pointer_known = false;
    zp::Position pointer;
};

// The unsold turret whose box covers the cell, or null.
Turret* turretAt(zp::Position cell);
