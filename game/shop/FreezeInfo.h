// The buy panel of the Freeze turret; it reads its row, FREEZE_KIND.
#pragma once

#include "shop/Info.h"

class FreezeInfo : public Info {
public:
    FreezeInfo();
    ~FreezeInfo() override;
};
