// The buy panel of the Gatling turret; it reads its row, GATLING_KIND.
#pragma once

#include "shop/Info.h"

class GatlingInfo : public Info {
public:
    GatlingInfo();
    ~GatlingInfo() override;
};
