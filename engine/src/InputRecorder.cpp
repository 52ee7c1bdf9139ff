#include "zp/InputRecorder.h"

#include "platform/Platform.h"
#include "zp/EventKeyboard.h"
#include "zp/EventMouse.h"
#include "zp/GameManager.h"

#include <sstream>
#include <utility>

namespace zp {

InputRecorder::InputRecorder(InputRecording& new_recording, StateDigest new_digest, int new_check_interval)
    : recording(new_recording), digest(std::move(new_digest)),
      check_interval(new_check_interval > 0 ? new_check_interval : CHECK_INTERVAL_DEFAULT),
      next_check(check_interval)
{
    if (!recording.getChecks().empty()) {
        const int last = recording.getChecks().back().step;
        next_check = last - last % check_interval + check_interval;
    }
    // What the game draws from here on follows from this state. A recording
    // taken up again (one that already holds input or checks) keeps the seed
    // it began with, or none if it had none.
    if (!recording.hasSeed() && recording.getInputs().empty() && recording.getChecks().empty())
        recording.setSeed(GameManager::getInstance().getRandom().getState());
}

void InputRecorder::setStepOrigin(int new_origin)
{
    origin = new_origin;
}

int InputRecorder::getStepOrigin() const
{
    return origin;
}

void InputRecorder::setFrameStartHook(std::function<void(int step)> new_hook)
{
    frame_start_hook = std::move(new_hook);
}

int InputRecorder::writeAsItGoes(const std::string& path)
{
    p_file = std::make_unique<AtomicFile>(path);
    written = InputRecording::WrittenUpTo();
    std::ostringstream head;
    recording.writeHead(head);
    if (p_file->open() != 0 || p_file->write(head.str()) != 0 || writeNewRecords() != 0) {
        p_file.reset();
        return -1;
    }
    return 0;
}

void InputRecorder::beforeInput(int program_step)
{
    const int step = program_step - origin;
    if (digest && step >= next_check) {
        recording.addCheck(step, digest());
        next_check = step - step % check_interval + check_interval;
    }
    if (p_file && !finished &&
        platform::monotonicMicroseconds() - last_flush_us >= RECORDING_FLUSH_INTERVAL_US)
        writeNewRecords();
    if (frame_start_hook)
        frame_start_hook(program_step);
}

int InputRecorder::writeNewRecords()
{
    // One write of whole lines: a run killed in between leaves whole lines.
    std::ostringstream text;
    recording.writeRecords(text, written);
    recording.writeEnd(text);
    last_flush_us = platform::monotonicMicroseconds();
    return p_file->write(text.str()) == 0 && p_file->flush() == 0 ? 0 : -1;
}

void InputRecorder::record(const Event& event, int program_step)
{
    const int step = program_step - origin;
    if (event.getType() == KEYBOARD_EVENT) {
        const auto& keyboard = static_cast<const EventKeyboard&>(event);
        recording.addKeyboard(step, keyboard.getKeyboardAction(), keyboard.getKey());
    } else if (event.getType() == MOUSE_EVENT) {
        const auto& mouse = static_cast<const EventMouse&>(event);
        recording.addMouse(step, mouse.getMouseAction(), mouse.getMouseButton(), mouse.getMousePosition());
    }
}

int InputRecorder::finish(int program_step)
{
    if (finished)
        return finish_result;
    finished = true;
    recording.setEndStep(program_step - origin);
    if (digest)
        recording.setEndDigest(digest());
    if (p_file) {
        const int written_now = writeNewRecords();
        const int committed = p_file->commit();
        finish_result = written_now == 0 && committed == 0 ? 0 : -1;
    }
    return finish_result;
}

bool InputRecorder::isFinished() const
{
    return finished;
}

const InputRecording& InputRecorder::getRecording() const
{
    return recording;
}

} // namespace zp
