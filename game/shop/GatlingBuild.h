// The cursor that places a Gatling.
#pragma once

#include "shop/Build.h"

#include "zp/Position.h"

class GatlingBuild : public Build {
public:
    explicit GatlingBuild(zp::Position p);
    ~GatlingBuild() override;
};
