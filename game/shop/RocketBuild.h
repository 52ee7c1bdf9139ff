// The cursor that places a Rocket for 300.
#pragma once

#include <string>

#include "shop/Build.h"
#include "zp/Position.h"

inline const std::string ROCKET_BUILD_SPRITE = "rocket-build";
const int ROCKET_PRICE = 300;

class RocketBuild : public Build {
public:
    explicit RocketBuild(zp::Position p);
    ~RocketBuild() override;
    void placeTurret(zp::Position p) override;
};
