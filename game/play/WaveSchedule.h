// What the player's controls see of the level controller's waves: the wave
// to come with its plan, for the preview, and the key that starts it now.
// The controller implements it, so the controls need not know the controller.
#pragma once

#include "play/WavePlan.h"

class WaveSchedule {
public:
    virtual ~WaveSchedule() = default;

    // The number of the wave to come: while waiting, the one the countdown
    // leads to; while a wave runs, the one after it.
    virtual int getWave() const = 0;
    virtual bool isSpawning() const = 0;
    // True once play has ended.
    virtual bool isEnded() const = 0;
    // While waiting, what the wave the countdown leads to will send; while a
    // wave runs, what that wave sends: the enemies' healths as they will be.
    virtual WavePlan getComingWave() const = 0;
    // While waiting, starts the next wave at once; false, and nothing
    // changes, while a wave runs or after play.
    virtual bool startNextWaveNow() = 0;
};
