// The on-screen wave counter; the level controller advances it with
// "Wave:" view events when a wave starts.
#pragma once

#include <string>

#include "zp/Position.h"
#include "zp/ViewObject.h"

inline const std::string WAVE_TAG = "Wave:";

class WaveView : public zp::ViewObject {
public:
    explicit WaveView(zp::Position p);
    ~WaveView() override;

    int eventHandler(const zp::Event* p_e) override;
};
