// The cursor that places a Freeze.
#pragma once

#include "shop/Build.h"

#include "zp/Position.h"

class FreezeBuild : public Build {
public:
    explicit FreezeBuild(zp::Position p);
    ~FreezeBuild() override;
    void placeTurret(zp::Position p) override;
};
