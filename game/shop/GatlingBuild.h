// The cursor that places a Gatling for 100.
#pragma once

#include <string>

#include "shop/Build.h"
#include "zp/Position.h"

inline const std::string GATLING_BUILD_SPRITE = "gatling-build";
const int GATLING_PRICE = 100;

class GatlingBuild : public Build {
public:
    explicit GatlingBuild(zp::Position p);
    ~GatlingBuild() override;
};
