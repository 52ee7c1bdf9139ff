// The treasure at the end of the enemies' path. F gives up the level: the
// treasure leaves and play ends with "GameOver".
#pragma once

#include "zp/Object.h"

#include <string>

class Treasure : public zp::Object {
public:
    // Stands on the current level's treasure cell.
    Treasure();
    ~Treasure() override;

    int eventHandler(const zp::Event* p_e) override;
};
