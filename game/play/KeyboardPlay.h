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

class KeyboardPlay {
public:
    // Selects through, and clears, the player's selection.
    explicit KeyboardPlay(CommandTarget& selection);

    // Follows the pointer's moves and the Shift keys.
    void handle(const zp::Event* p_e);
    // A key pressed during play; false when it is none of these keys.
    bool handleKey(int key);
    // Esc: drops the turret carried, or else clears the selection. False
    // when there was nothing to drop or clear.
    bool cancel();

    // Where a turret carried would be placed: the cell of the pointer's last
    // move or of the arrows, in the middle of the board at first.
    zp::Position getCursor() const;

private:
    // Moves the cursor, kept on the board, and everything that follows the
    // pointer with it.
    void moveCursor(int dx, int dy);
    void moveEverythingTo(zp::Position cell) const;
    // Buys from the panel at `panel_index` in the column, as a click on it does.
    void pickPanel(int panel_index);
    // Places the turret carried at the cursor, or selects the turret there.
    void placeOrSelect();
    void sellSelected();

    CommandTarget& selection;
    zp::Position cursor;
    bool leap_held = false;
};
