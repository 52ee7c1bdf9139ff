// The buy panel of the Rocket turret.
#pragma once

#include "shop/Info.h"

#include "zp/Position.h"

class RocketInfo : public Info {
public:
    RocketInfo();
    ~RocketInfo() override;

    void createBuild(zp::Position p) override;
};
