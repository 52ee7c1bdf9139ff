// The player's selection, which the turret commands (the targeting and
// upgrade keys, the sale key) act on. With nothing carried, a left click on
// a turret selects it (Enter at the placement cursor does too, through
// select); a left click anywhere else clears the selection, as Esc does.
// With nothing selected, the targeting and upgrade keys act on the turret
// under the pointer (PlayControls::commandedTurret).
#pragma once

#include "zp/Event.h"
#include "zp/Position.h"

class Turret;

class CommandTarget {
public:
    // Left clicks select or clear, also while the game is paused.
    void handle(const zp::Event* p_e);
    // Selects the turret; null clears the selection.
    void select(const Turret* p_turret);
    void clear();
    // The selected turret, or null: a sold turret is selected no more.
    Turret* turret() const;

private:
    static const int NO_SELECTION = -1;
    // The selected turret's object id, looked up on the board each time, so
    // a turret that has left it is never reached.
    int selected_id = NO_SELECTION;
};

// The unsold turret whose box covers the cell, or null.
Turret* turretAt(zp::Position cell);
