// Stays for the whole run: Q quits at any time, and a run limited to a
// number of steps ends after them.
#pragma once

#include "zp/Object.h"

class Referee : public zp::Object {
public:
    explicit Referee(int steps);
    int eventHandler(const zp::Event* p_e) override;
};
