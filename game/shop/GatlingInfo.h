// The buy panel of the Gatling turret.
#pragma once

#include "shop/Info.h"

#include "zp/Position.h"

class GatlingInfo : public Info {
public:
    GatlingInfo();
    ~GatlingInfo() override;

    void createBuild(zp::Position p) override;
};
