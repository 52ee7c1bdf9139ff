// The buy panel of a turret kind, in the column at the right edge of the
// board. A click in its area, when the currency covers its price, creates
// the kind's build cursor at it.
#pragma once

#include "turrets/TurretKinds.h"

#include "zp/Object.h"
#include "zp/Position.h"

#include <string>

const int INFO_PRICE_DEFAULT = 20;
// The column of panels starts this many cells left of the right edge; each
// panel answers clicks in this many rows from its top.
const int PANEL_COLUMN_OFFSET = 16;
const int PANEL_ROWS = 6;
// Sprite frames of a panel.
const int INFO_FRAME_IDLE = 0;
const int INFO_FRAME_BOUGHT = 1;

class Info : public zp::Object {
public:
    // The bare panel: type "Info", price 20, no sprite; it sells
    // Gatling cursors. Takes the next place in the column.
    Info();
    // The kind's panel: the kind's panel sprite (a missing one is logged),
    // type and price, at the next place in the column.
    explicit Info(const TurretKind& kind);
    // Any panel that goes starts the column again from the top: all panels
    // leave together when a game ends.
    ~Info() override;

    const TurretKind& getKind() const;
    void setPrice(int new_price);
    int getPrice() const;
    int getPanelIndex() const;
    // Puts the panel at its place in the column.
    void placeInPanel();
    // True in the panel's click area: six rows from its top, from its left
    // column to the right edge of the board.
    bool contains(zp::Position p) const;

    // Clicks of any button but the right one (which sells turrets); none
    // while the game is paused.
    int eventHandler(const zp::Event* p_e) override;
    // Creates the kind's build cursor at p.
    virtual void createBuild(zp::Position p);

private:
    static int panel_count;

    const TurretKind* p_kind = &GATLING_KIND;
    int panel_index = 0;
    int price = INFO_PRICE_DEFAULT;
};
