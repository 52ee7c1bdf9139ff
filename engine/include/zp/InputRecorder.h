/// \file
/// Takes a run's input down as it is played, into an InputRecording: every
/// keyboard and mouse event the input manager sends, numbered with the step
/// before whose step events it came, and every so many steps a check of the
/// game's state, so that a replay can tell where it parted from the run.
/// Hand it to InputManager::setRecorder; nothing is written until the caller
/// writes the recording, so recording costs a few appends per frame.
#pragma once

#include "zp/InputRecording.h"

#include <cstdint>
#include <functional>

namespace zp {

class Event;

/// Steps between two state checks unless the recorder is told otherwise: a
/// second of play at the normal speed.
const int CHECK_INTERVAL_DEFAULT = 30;

/// The game's digest of its own state (see digestOf): equal states, equal
/// digests, on every machine.
using StateDigest = std::function<std::uint64_t()>;

class InputRecorder {
public:
    /// Without a digest no checks are taken. The recording is the caller's
    /// and must outlive the recorder.
    explicit InputRecorder(InputRecording& recording, StateDigest digest = nullptr,
                           int check_interval = CHECK_INTERVAL_DEFAULT);

    /// At the start of a frame, before its input: a check when one is due,
    /// at the first frame start on or after each multiple of the interval.
    void beforeInput(int step);
    /// Adds a keyboard or mouse event sent before the step events of `step`;
    /// other events are not input and are left out.
    void record(const Event& event, int step);
    /// The run ended with the step count at `step`: the end, with the state
    /// digest then.
    void finish(int step);
    /// The engine's random state as the recording begins (the input manager
    /// records it when the recorder is handed to it).
    void recordSeed(std::uint64_t seed);

    const InputRecording& getRecording() const;

private:
    InputRecording& recording;
    StateDigest digest;
    int check_interval;
    int next_check;
};

} // namespace zp
