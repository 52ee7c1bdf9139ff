// Recordings through the game's reader: the format's records, then what a
// replay needs of them (a level the game has, an end).
#include "FuzzInput.h"
#include "app/RecordedRun.h"

#include "zp/InputRecording.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string recording_file = zp::fuzz::inputPath("recording.rec");
    zp::fuzz::writeInput(recording_file, data, size);

    zp::InputRecording recording;
    int level = 0;
    std::string error;
    if (readRecordingFile(recording_file, recording, level, error) == 0) {
        // What was read is written and read again to the same records.
        const std::string again_file = zp::fuzz::inputPath("again.rec");
        recording.writeFile(again_file);
        zp::InputRecording again;
        if (again.readFile(again_file, error) != 0 || !(again.getInputs() == recording.getInputs()) ||
            again.getChecks().size() != recording.getChecks().size() ||
            again.getEndStep() != recording.getEndStep())
            __builtin_trap();
    }
    return 0;
}
