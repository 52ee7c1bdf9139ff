// The buy panel of the Rocket turret: a purchase needs 300.
#pragma once

#include <string>

#include "shop/Info.h"
#include "zp/Position.h"

inline const std::string ROCKET_SELECT_SPRITE = "rocket-select";
inline const std::string ROCKET_INFO_TYPE = "RocketInfo";
const int ROCKET_INFO_PRICE = 300;

class RocketInfo : public Info {
public:
    RocketInfo();
    ~RocketInfo() override;

    void createBuild(zp::Position p) override;
};
