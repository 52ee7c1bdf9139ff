// The on-screen wave counter; the level controller advances it with
// "Wave:" view events when a wave starts.
#pragma once

#include "zp/Position.h"
#include "zp/ViewObject.h"

class WaveView : public zp::ViewObject {
public:
    explicit WaveView(zp::Position p);
    ~WaveView() override;
};
