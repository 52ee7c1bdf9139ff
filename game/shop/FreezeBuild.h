// The cursor that places a Freeze; it reads its row, FREEZE_KIND.
#pragma once

#include "shop/Build.h"

#include "zp/Position.h"

class FreezeBuild : public Build {
public:
    explicit FreezeBuild(zp::Position p);
    ~FreezeBuild() override;
};
