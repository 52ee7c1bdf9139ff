/// \file
/// Turns the window's keyboard and mouse activity into keyboard and mouse
/// events sent to every object, once per game step.
#pragma once

#include "zp/Manager.h"

#include <SFML/Window/Event.hpp>

#include <memory>

namespace zp {

class Event;
class InputRecorder;
class InputReplayer;

class InputManager : public Manager {
public:
    static InputManager& getInstance();

    /// -1 when the graphics manager is not started; turns key repeat off.
    int startUp() override;
    void shutDown() override;

    /// Sends queued window events, then held keys from -1 to 100, then the
    /// held left button; the held ones only while the window has the focus.
    /// A request to close the window sets the game manager's game-over flag,
    /// so the loop ends after this frame. Does nothing without a window,
    /// unless a replay is on.
    void getInput();

    /// From now on every event getInput sends also goes to the recorder, with
    /// the game manager's step count, and the recorder takes its state checks
    /// at the start of each frame. nullptr stops. The recorder is the caller's.
    void setRecorder(InputRecorder* p_new_recorder);
    /// Finishes the recorder's recording at the game manager's step count
    /// (InputRecorder::finish), if there is a recorder: for a program that
    /// must end at once (a lost display), so that its recording is whole.
    void finishRecording();
    /// From now on getInput sends the replayer's events instead of the
    /// window's (with a window or without); the window is still served, and
    /// its close request still ends the game, as an interruption of the
    /// replay. Frames run no step past the recording's end (the game
    /// manager's step limit), and once the replay is complete, or has parted
    /// from the recording, the game is over. nullptr goes back to the window
    /// and lifts the step limit. The replayer is the caller's.
    void setReplayer(InputReplayer* p_new_replayer);

private:
    InputManager();

    /// Sends one event to every object, and to the recorder.
    void send(const Event& event);
    void replayInput();

    InputRecorder* p_recorder = nullptr;
    InputReplayer* p_replayer = nullptr;
};

/// The engine event that a window event stands for, or nullptr for window
/// events that are consumed without one.
std::unique_ptr<Event> translateWindowEvent(const sf::Event& window_event);

} // namespace zp
