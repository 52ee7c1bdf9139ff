// The cursor that places a Rocket.
#pragma once

#include "shop/Build.h"

#include "zp/Position.h"

class RocketBuild : public Build {
public:
    explicit RocketBuild(zp::Position p);
    ~RocketBuild() override;
    void placeTurret(zp::Position p) override;
};
