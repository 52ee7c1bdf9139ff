// A rock that falls from the top of the screen. One that leaves the screen
// at the bottom has been dodged.
#pragma once

#include "zp/Object.h"

class Rock : public zp::Object {
public:
    explicit Rock(int column);
    int eventHandler(const zp::Event* p_e) override;
};
