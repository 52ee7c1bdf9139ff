// The on-screen lives counter: starts at 10 (or the difficulty's), loses one for every move time
// of an enemy at the end of its path, and ends play when none are left.
#pragma once

#include "zp/Position.h"
#include "zp/ViewObject.h"

#include <string>

const int LIVES_START = 10;

class LivesView : public zp::ViewObject {
public:
    // Starts with `lives`.
    explicit LivesView(zp::Position p, int lives = LIVES_START);
    ~LivesView() override;

    // Sends "GameOver" on every step while the lives are 0 or less.
    int eventHandler(const zp::Event* p_e) override;
};
