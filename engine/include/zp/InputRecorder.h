/// \file
/// Takes a run's input down as it is played, into an InputRecording: every
/// keyboard and mouse event the input manager sends, numbered with the step
/// before whose step events it came, and every so many steps a check of the
/// game's state, so that a replay can tell where it parted from the run.
/// Hand it to InputManager::setRecorder. Recording costs a few appends per
/// frame; the caller writes the recording, or has it written as it goes
/// (writeAsItGoes).
#pragma once

#include "zp/AtomicFile.h"
#include "zp/InputRecording.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace zp {

class Event;

/// Steps between two state checks unless the recorder is told otherwise: a
/// second of play at the normal speed.
const int CHECK_INTERVAL_DEFAULT = 30;
/// A recording written as it goes reaches its file at least this often.
const std::int64_t RECORDING_FLUSH_INTERVAL_US = 1000000;

/// The game's digest of its own state (see digestOf): equal states, equal
/// digests, on every machine.
using StateDigest = std::function<std::uint64_t()>;

class InputRecorder {
public:
    /// Without a digest no checks are taken. The recording is the caller's
    /// and must outlive the recorder. The engine's random state now
    /// (GameManager::getRandom) becomes the recording's seed: make the
    /// recorder before the game draws its first random number. A recording
    /// that already holds input or checks (one taken up again after a save)
    /// keeps its seed and goes on with the check due after its last, as the
    /// run that took them would have.
    explicit InputRecorder(InputRecording& recording, StateDigest digest = nullptr,
                           int check_interval = CHECK_INTERVAL_DEFAULT);

    /// The recording counts its steps from the program's step `origin`: for
    /// a game that begins in the middle of a run (a level chosen from a
    /// menu), whose recording must read as if the program had started with
    /// it. Steps handed to the recorder stay the program's own.
    void setStepOrigin(int origin);
    int getStepOrigin() const;
    /// Called at every frame start, after the check due there: for a program
    /// that writes the recording at moments of its own (a save when a wave
    /// starts). Gets the program's step.
    void setFrameStartHook(std::function<void(int step)> new_hook);

    /// From now on the recording is written to `path` while it is taken, as
    /// a zp::AtomicFile: its head at once and its records at the start of a
    /// frame at least once every RECORDING_FLUSH_INTERVAL_US, all into
    /// `path` + ".tmp", which finish() renames over `path`. The file at
    /// `path` stays as it was until then; a run killed outright leaves the
    /// temporary file, whole lines up to its last second, a recording
    /// without its "end". 0, or -1 when the temporary file cannot be written.
    int writeAsItGoes(const std::string& path);
    /// At the start of a frame, before its input: a check when one is due,
    /// at the first frame start on or after each multiple of the interval;
    /// and, written as it goes, what is new when a flush is due.
    void beforeInput(int step);
    /// Adds a keyboard or mouse event sent before the step events of `step`;
    /// other events are not input and are left out.
    void record(const Event& event, int step);
    /// The run ended with the step count at `step`: the end, with the state
    /// digest then. Written as it goes, the file is then completed and put in
    /// place: 0, or -1 when it could not be (the old file is kept). Later
    /// calls change nothing and give the first one's result.
    int finish(int step);
    bool isFinished() const;

    const InputRecording& getRecording() const;

private:
    /// Writes the records not written yet (and the end once there is one) to
    /// the file and hands them to the system.
    int writeNewRecords();

    InputRecording& recording;
    int origin = 0;
    std::function<void(int)> frame_start_hook;
    StateDigest digest;
    int check_interval;
    int next_check;
    bool finished = false;
    int finish_result = 0;
    std::unique_ptr<AtomicFile> p_file;
    InputRecording::WrittenUpTo written;
    std::int64_t last_flush_us = 0;
};

} // namespace zp
