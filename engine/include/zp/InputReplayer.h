/// \file
/// Plays a recorded run's input back and watches that the run takes the
/// same course: the recording's events are sent at the steps they were
/// recorded at, and the game's state is compared with each of the
/// recording's checks. Hand it to InputManager::setReplayer.
///
/// An event is sent at the start of the first frame whose step count has
/// reached its step: a recorded run always read its input at the start of a
/// frame, so its events come exactly where they were; an event written by
/// hand for a step inside a frame of several steps comes at the next frame.
#pragma once

#include "zp/InputRecorder.h"
#include "zp/InputRecording.h"

#include <cstddef>
#include <functional>
#include <string>

namespace zp {

class Event;

class InputReplayer {
public:
    /// Without a digest no check is compared. The recording is the caller's
    /// and must outlive the replayer; inputs added to it while it is played
    /// are sent as well (a program can drive a game this way, step by step).
    explicit InputReplayer(const InputRecording& recording, StateDigest digest = nullptr);

    /// The recording's step 0 is the program's step `origin`: a recording of
    /// a game that begins in the middle of a run (see
    /// InputRecorder::setStepOrigin). Steps handed to the replayer, and the
    /// failed step it reports, stay the program's own.
    void setStepOrigin(int origin);
    int getStepOrigin() const;
    /// Plays on from the middle of the recording: its first `input_count`
    /// inputs count as sent (another recording, a saved game's beginning,
    /// has played them) and its checks before `step` (the recording's own
    /// step) as compared.
    void startAt(std::size_t input_count, int step);
    /// False once startAt was called: the run's random state is then the
    /// beginning's (the recording's seed is not set again).
    bool playsFromStart() const;

    /// At the start of a frame: compares the recording's check of this
    /// step, if it has one, then hands `send` every input not sent yet whose
    /// step is at most `step`, in the recording's order. Nothing more is sent
    /// once the replay has parted from the recording or was interrupted (also
    /// by a handler of this frame's inputs).
    void sendInputs(int step, const std::function<void(const Event&)>& send);
    /// True once every input has been sent and the step count has reached
    /// the recording's end; never for a recording without an end.
    bool isComplete(int step) const;
    /// Called after the inputs of a frame in which the game is paused: no
    /// step comes while it is, so a recording that goes on at a later step
    /// can never be played on. That is a failure, not a wait without end.
    void checkPausedAt(int step);
    /// The run was stopped from outside (its window was closed, a stop
    /// signal came): what the recording still holds is not a difference, and
    /// no more of it is sent.
    void interrupt();
    /// The run ended with the step count at `step`: it must end where the
    /// recording does, in the same state.
    void finish(int step);

    /// True when the replay parted from the recording; getError says
    /// where: "step 540 (line 37): the state differs from the recording's
    /// check; it last agreed at step 510".
    bool hasFailed() const;
    const std::string& getError() const;
    /// The first step at which the replay was seen to differ, or -1.
    int getFailedStep() const;
    bool wasInterrupted() const;
    /// How many of the recording's inputs have been sent.
    std::size_t getSentCount() const;
    const InputRecording& getRecording() const;

private:
    void fail(int step, int line, const std::string& what);
    void compareChecks(int step);

    const InputRecording& recording;
    StateDigest digest;
    int origin = 0;
    std::size_t next_input = 0;
    bool from_start = true;
    std::size_t next_check = 0;
    /// The step of the last check that agreed, or -1.
    int agreed_step = -1;
    int failed_step = -1;
    std::string error;
    bool interrupted = false;
};

} // namespace zp
