#include "zp/InputRecorder.h"

#include "zp/EventKeyboard.h"
#include "zp/EventMouse.h"

#include <utility>

namespace zp {

InputRecorder::InputRecorder(InputRecording& new_recording, StateDigest new_digest, int new_check_interval)
    : recording(new_recording), digest(std::move(new_digest)),
      check_interval(new_check_interval > 0 ? new_check_interval : CHECK_INTERVAL_DEFAULT),
      next_check(check_interval)
{
}

void InputRecorder::beforeInput(int step)
{
    if (!digest || step < next_check)
        return;
    recording.addCheck(step, digest());
    next_check = step - step % check_interval + check_interval;
}

void InputRecorder::record(const Event& event, int step)
{
    if (event.getType() == KEYBOARD_EVENT) {
        const auto& keyboard = static_cast<const EventKeyboard&>(event);
        recording.addKeyboard(step, keyboard.getKeyboardAction(), keyboard.getKey());
    } else if (event.getType() == MOUSE_EVENT) {
        const auto& mouse = static_cast<const EventMouse&>(event);
        recording.addMouse(step, mouse.getMouseAction(), mouse.getMouseButton(), mouse.getMousePosition());
    }
}

void InputRecorder::finish(int step)
{
    recording.setEndStep(step);
    if (digest)
        recording.setEndDigest(digest());
}

void InputRecorder::recordSeed(std::uint64_t seed)
{
    recording.setSeed(seed);
}

const InputRecording& InputRecorder::getRecording() const
{
    return recording;
}

} // namespace zp
