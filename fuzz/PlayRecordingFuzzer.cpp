// A recording replayed by the real program's parts for a bounded number of
// frames: the game's reader, the first screen it names (the splash screen
// and menu, or a level at once), the engine's replayer sending its input
// through the input manager, and a recorder taking the run down again with
// the game's state checks. What the recorder wrote must read back.
#include "FuzzInput.h"
#include "FuzzPlay.h"
#include "app/GameState.h"
#include "app/RecordedRun.h"
#include "content/Resources.h"

#include "zp/GameManager.h"
#include "zp/InputManager.h"
#include "zp/InputRecorder.h"
#include "zp/InputRecording.h"
#include "zp/InputReplayer.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

const int FRAMES = 300;

// The recording's input moved to start at `start` (this process's step count
// grows from input to input). Checks are left out: the state's digest
// holds the step count, so none would agree, and the replay would stop
// sending input at the first; inputs past the frames played are left out.
zp::InputRecording shifted(const zp::InputRecording& recording, int start)
{
    zp::InputRecording moved;
    const long last_step = long(start) + long(FRAMES) * zp::MAX_STEPS_PER_FRAME;
    for (const zp::RecordedInput& input : recording.getInputs()) {
        const long step = long(start) + input.step;
        if (step > last_step)
            break;
        if (input.keyboard)
            moved.addKeyboard(int(step), zp::KeyboardAction(input.action), input.code);
        else
            moved.addMouse(int(step), zp::MouseAction(input.action), input.code, input.mouse_position);
    }
    if (long(start) + recording.getEndStep() <= last_step)
        moved.setEndStep(start + recording.getEndStep());
    return moved;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    zp::fuzz::startGameEngine();
    loadResources();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string recording_file = zp::fuzz::inputPath("recording.rec");
    static const std::string again_file = zp::fuzz::inputPath("again.rec");
    zp::fuzz::writeInput(recording_file, data, size);

    zp::InputRecording read;
    int level = 0;
    std::string error;
    if (readRecordingFile(recording_file, read, level, error) != 0)
        return 0;

    zp::GameManager& game = zp::GameManager::getInstance();
    const zp::InputRecording replayed = shifted(read, game.getStepCount());
    zp::InputReplayer replayer(replayed);
    zp::InputRecording recorded;
    recorded.setMeta(LEVEL_META, std::to_string(level));
    zp::InputRecorder recorder(recorded, stateDigest);
    zp::InputManager& input = zp::InputManager::getInstance();
    input.setReplayer(&replayer);
    input.setRecorder(&recorder);
    startFirstScreen(level);
    for (int frame = 0; frame < FRAMES && !game.getGameOver(); ++frame)
        game.frame();
    input.setRecorder(nullptr);
    input.setReplayer(nullptr);
    recorder.finish(game.getStepCount());
    zp::fuzz::endPlay();

    // What the recorder took down is a recording the game reads.
    if (recorded.writeFile(again_file) != 0)
        __builtin_trap();
    zp::InputRecording again;
    int again_level = 0;
    if (readRecordingFile(again_file, again, again_level, error) != 0 || again_level != level ||
        !(again.getInputs() == recorded.getInputs()) ||
        again.getChecks().size() != recorded.getChecks().size())
        __builtin_trap();
    return 0;
}
