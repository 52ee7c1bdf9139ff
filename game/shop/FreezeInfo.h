// The buy panel of the Freeze turret: a purchase needs 600.
#pragma once

#include <string>

#include "shop/Info.h"
#include "zp/Position.h"

inline const std::string FREEZE_SELECT_SPRITE = "freeze-select";
inline const std::string FREEZE_INFO_TYPE = "FreezeInfo";
const int FREEZE_INFO_PRICE = 600;

class FreezeInfo : public Info {
public:
    FreezeInfo();
    ~FreezeInfo() override;

    void createBuild(zp::Position p) override;
};
