// The buy panel of the Gatling turret: a purchase needs 100.
#pragma once

#include <string>

#include "shop/Info.h"
#include "zp/Position.h"

inline const std::string GATLING_SELECT_SPRITE = "gatling-select";
inline const std::string GATLING_INFO_TYPE = "GatlingInfo";
const int GATLING_INFO_PRICE = 100;

class GatlingInfo : public Info {
public:
    GatlingInfo();
    ~GatlingInfo() override;

    void createBuild(zp::Position p) override;
};
