// The buy panel of the Freeze turret.
#pragma once

#include "shop/Info.h"

#include "zp/Position.h"

class FreezeInfo : public Info {
public:
    FreezeInfo();
    ~FreezeInfo() override;

    void createBuild(zp::Position p) override;
};
