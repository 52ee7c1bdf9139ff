// A build cursor: bought at a panel, it follows the mouse and the next
// click places its turret for its price, or cancels the purchase when the
// place is blocked by anything solid.
#pragma once

#include "zp/Object.h"
#include "zp/Position.h"

#include <string>

const int BUILD_ALTITUDE = 4;
// Sprite frames of a cursor.
const int BUILD_FRAME_NEW = 0;
const int BUILD_FRAME_BLOCKED = 1;
const int BUILD_FRAME_MOVING = 2;

struct TurretKind;

class Build : public zp::Object {
public:
    Build();
    ~Build() override;

    void setPrice(int new_price);
    int getPrice() const;

    // 1 for a mouse move and for a placement, 0 otherwise.
    int eventHandler(const zp::Event* p_e) override;
    // Creates the kind's turret at p.
    virtual void placeTurret(zp::Position p);

protected:
    // Takes the kind's type, cursor sprite (a missing one is logged), the
    // position and the kind's price, in that order.
    void becomeKind(const TurretKind& kind, zp::Position p);

private:
    int price = 0;
};
