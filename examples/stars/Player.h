// The player's '@': the arrow keys move it a cell at a time; walking onto a
// star catches it (the counter goes up, a chime sounds, a new star appears).
// Q quits. In autoplay it walks to the star by itself and quits after a
// number of steps.
#pragma once

#include "zp/Object.h"

class Player : public zp::Object {
public:
    Player(zp::Position where, int autoplay_steps);
    int eventHandler(const zp::Event* p_event) override;
    void draw() override;

    int getCaught() const;

private:
    // False when a wall was in the way.
    bool move(int dx, int dy);
    void walkToStar();
    void catchStar(zp::Object* p_star);

    int autoplay_steps;
    int caught = 0;
};

// Places a star on a free cell of the playing field.
void placeStar();
