#include "zp/InputReplayer.h"

#include "zp/EventKeyboard.h"
#include "zp/EventMouse.h"

#include <algorithm>
#include <utility>

namespace zp {

InputReplayer::InputReplayer(const InputRecording& new_recording, StateDigest new_digest)
    : recording(new_recording), digest(std::move(new_digest))
{
}

void InputReplayer::setStepOrigin(int new_origin)
{
    origin = new_origin;
}

int InputReplayer::getStepOrigin() const
{
    return origin;
}

void InputReplayer::startAt(std::size_t input_count, int step)
{
    from_start = false;
    next_input = std::min(input_count, recording.getInputs().size());
    const std::vector<RecordedCheck>& checks = recording.getChecks();
    next_check = 0;
    while (next_check < checks.size() && checks[next_check].step < step)
        ++next_check;
}

void InputReplayer::sendInputs(int program_step, const std::function<void(const Event&)>& send)
{
    const int step = program_step - origin;
    if (hasFailed())
        return;
    compareChecks(step);
    const std::vector<RecordedInput>& inputs = recording.getInputs();
    // An event handler may end the replay (a check compared later cannot),
    // and a stop from outside ends it between two events; the index moves
    // first, so an input is never sent twice.
    while (!hasFailed() && !interrupted && next_input < inputs.size() && inputs[next_input].step <= step) {
        const RecordedInput& input = inputs[next_input++];
        if (input.keyboard) {
            EventKeyboard keyboard;
            keyboard.setKey(input.code);
            keyboard.setKeyboardAction(KeyboardAction(input.action));
            send(keyboard);
        } else {
            EventMouse mouse;
            mouse.setMouseAction(MouseAction(input.action));
            mouse.setMouseButton(input.code);
            mouse.setMousePosition(input.mouse_position);
            send(mouse);
        }
    }
}

void InputReplayer::compareChecks(int step)
{
    const std::vector<RecordedCheck>& checks = recording.getChecks();
    while (next_check < checks.size() && checks[next_check].step <= step) {
        const RecordedCheck& check = checks[next_check++];
        if (check.step < step) {
            fail(check.step, check.line,
                 "no frame of the replay started at this step, so its check could not be compared (one frame "
                 "ran on to step " +
                     std::to_string(step) + ")");
            return;
        }
        if (!digest)
            continue;
        if (digest() != check.digest) {
            fail(step, check.line,
                 "the state differs from the recording's check; " +
                     (agreed_step >= 0 ? "it last agreed at step " + std::to_string(agreed_step)
                                       : std::string("no earlier check was compared")));
            return;
        }
        agreed_step = step;
    }
}

void InputReplayer::checkPausedAt(int program_step)
{
    const int step = program_step - origin;
    if (hasFailed() || isComplete(program_step))
        return;
    const std::vector<RecordedInput>& inputs = recording.getInputs();
    const bool input_left = next_input < inputs.size();
    fail(step, input_left ? inputs[next_input].line : recording.getEndLine(),
         "the game is paused here, and nothing recorded for this step resumes it (the recording goes on at "
         "step " +
             std::to_string(input_left ? inputs[next_input].step : recording.getEndStep()) + ")");
}

bool InputReplayer::isComplete(int program_step) const
{
    return next_input == recording.getInputs().size() && recording.getEndStep() >= 0 &&
           program_step - origin >= recording.getEndStep();
}

void InputReplayer::interrupt()
{
    interrupted = true;
}

void InputReplayer::finish(int program_step)
{
    const int step = program_step - origin;
    if (hasFailed() || interrupted)
        return;
    const std::vector<RecordedInput>& inputs = recording.getInputs();
    const int end = recording.getEndStep();
    if (next_input < inputs.size()) {
        fail(step, inputs[next_input].line,
             "the game ended before the recording's input for step " +
                 std::to_string(inputs[next_input].step));
    } else if (end >= 0 && step != end) {
        fail(std::min(step, end), recording.getEndLine(),
             "the game ended at step " + std::to_string(step) + ", the recording at step " +
                 std::to_string(end));
    } else if (end >= 0 && recording.hasEndDigest() && digest && digest() != recording.getEndDigest()) {
        fail(step, recording.getEndLine(),
             "the state at the end differs from the recording's; " +
                 (agreed_step >= 0 ? "it last agreed at step " + std::to_string(agreed_step)
                                   : std::string("no earlier check was compared")));
    }
}

void InputReplayer::fail(int step, int line, const std::string& what)
{
    if (hasFailed())
        return;
    failed_step = step + origin;
    error = "step " + std::to_string(step) + (line > 0 ? " (line " + std::to_string(line) + ")" : "") + ": " +
            what;
}

bool InputReplayer::hasFailed() const
{
    return failed_step >= 0;
}

const std::string& InputReplayer::getError() const
{
    return error;
}

int InputReplayer::getFailedStep() const
{
    return failed_step;
}

bool InputReplayer::wasInterrupted() const
{
    return interrupted;
}

bool InputReplayer::playsFromStart() const
{
    return from_start;
}

std::size_t InputReplayer::getSentCount() const
{
    return next_input;
}

const InputRecording& InputReplayer::getRecording() const
{
    return recording;
}

} // namespace zp
