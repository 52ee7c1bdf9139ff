#include "hud/WaveView.h"

#include "content/GameEvents.h"

WaveView::WaveView(zp::Position p)
{
    setPosition(p);
    setViewString(WAVE_TAG);
    setColor(zp::WHITE);
    setValue(0);
}

WaveView::~WaveView() = default;
