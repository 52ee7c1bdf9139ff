// The cursor that places a Rocket; it reads its row, ROCKET_KIND.
#pragma once

#include "shop/Build.h"

#include "zp/Position.h"

class RocketBuild : public Build {
public:
    explicit RocketBuild(zp::Position p);
    ~RocketBuild() override;
};
