// The buy panel of the Rocket turret; it reads its row, ROCKET_KIND.
#pragma once

#include "shop/Info.h"

class RocketInfo : public Info {
public:
    RocketInfo();
    ~RocketInfo() override;
};
