// The cursor that places a Gatling; it reads its row, GATLING_KIND.
#pragma once

#include "shop/Build.h"

#include "zp/Position.h"

class GatlingBuild : public Build {
public:
    explicit GatlingBuild(zp::Position p);
    ~GatlingBuild() override;
};
