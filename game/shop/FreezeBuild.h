// The cursor that places a Freeze for 600.
#pragma once

#include <string>

#include "shop/Build.h"
#include "zp/Position.h"

inline const std::string FREEZE_BUILD_SPRITE = "freeze-build";
const int FREEZE_PRICE = 600;

class FreezeBuild : public Build {
public:
    explicit FreezeBuild(zp::Position p);
    ~FreezeBuild() override;
    void placeTurret(zp::Position p) override;
};
