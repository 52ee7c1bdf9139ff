// A build cursor of a turret kind: bought at the kind's panel, it follows
// the mouse and the next click places the kind's turret for its price, or cancels the purchase when the
// place is blocked: by anything solid, or because the turret would not lie
// wholly on the playing field (off the board's edge, or over the counters).
#pragma once

#include "turrets/TurretKinds.h"

#include "zp/Object.h"
#include "zp/Position.h"

#include <string>

const int BUILD_ALTITUDE = 4;
// Sprite frames of a cursor.
const int BUILD_FRAME_NEW = 0;
const int BUILD_FRAME_BLOCKED = 1;
const int BUILD_FRAME_MOVING = 2;

class Build : public zp::Object {
public:
    // The bare cursor: type "Build", price 0; it places a Gatling.
    Build();
    // The kind's cursor at p: the kind's type, cursor sprite (a missing one
    // is logged) and price.
    Build(const TurretKind& kind, zp::Position p);
    ~Build() override;

    const TurretKind& getKind() const;
    void setPrice(int new_price);
    int getPrice() const;

    // 1 for a mouse move and for a placement, 0 otherwise. Right clicks
    // (which sell turrets) and clicks while the game is paused are ignored.
    // The click that ends the purchase also takes the cursor out of the
    // world's events (it is deleted at the next update).
    int eventHandler(const zp::Event* p_e) override;
    // What a click does: places the kind's turret where the cursor stands
    // and charges the price, or cancels the purchase when the place is
    // blocked; either way the cursor leaves. 1 when placed.
    int place();
    // Gives the purchase up at no cost; the cursor leaves.
    void drop();
    // True once placed, cancelled or dropped: the cursor is on its way out
    // and is no longer carried.
    bool isFinished() const;
    // True when the cursor's box at p lies wholly on the board and below the
    // counters' rows; solid objects in the way are not looked at. Any p.
    bool fitsPlayingField(zp::Position p) const;
    // Creates the kind's turret at p.
    virtual void placeTurret(zp::Position p);
    // The type of the turret that placeTurret creates ("Gatling").
    std::string builtTurretType() const;

private:
    // Marks the cursor for deletion, once.
    void finish();

    const TurretKind* p_kind = &GATLING_KIND;
    int price = 0;
    bool finished = false;
};

// The build cursor the player carries, or null.
Build* carriedBuild();
