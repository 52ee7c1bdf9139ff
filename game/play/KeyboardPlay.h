// Play without the mouse: a placement cursor that the arrow keys move (one
// cell, or five with Shift) and that mouse moves carry too, the digit keys
// that buy from the panels, Enter that places the turret carried (or selects
// the turret at the cursor), Esc that drops it (or clears the selection),
// and the sale key for the selected turret. Each does what the mouse does,
// with the same rules: nothing is bought, placed or sold while the game is
// paused.
#pragma once

#include "zp/Event.h"
#include "zp/Position.h"

class CommandTarget;
class Turret;

class KeyboardPlay {
public:
    // Selects through, and clears, the player's selection.
    explicit KeyboardPlay(CommandTarget& selection);

    // Follows the pointer's moves and the Shift keys.
    void handle(const zp::Event* p_e);

    // Moves the cursor, kept on the board, one cell (or CURSOR_LEAP with
    // Shift held) left, right, up or down: 0 to 3, the order of the arrows'
    // row in the controls table. The reticle and a turret carried follow it.
    void moveCursor(int direction);
    // Buys from the panel at `panel_index` in the column (0 the top one), as
    // a click on it does; a turret carried before is given back for it, and
    // the new one comes to the cursor.
    void pickPanel(int panel_index);
    // Places the turret carried at the cursor, as a click does; with
    // nothing carried, selects the turret at the cursor (or clears).
    void placeOrSelect();
    // Esc: drops the turret carried, or else clears the selection. False
    // when there was nothing to drop or clear.
    bool cancel();
    // Sells the selected turret, as a right click on it does.
    void sellSelected();

    // Where a turret carried would be placed: the cell of the pointer's last
    // move or of the arrows, in the middle of the board at first.
    zp::Position getCursor() const;
    // The unsold turret under the cursor (the reticle's cell, where Enter
    // would select), or null.
    Turret* pointedTurret() const;

private:
    // A move of the pointer to the cell, for everything that follows it.
    void moveEverythingTo(zp::Position cell) const;

    CommandTarget& selection;
    zp::Position cursor;
    bool leap_held = false;
};
