/// \file
/// Turns the window's keyboard and mouse activity into keyboard and mouse
/// events sent to every object, once per game step.
#pragma once

#include "zp/Manager.h"

#include <SFML/Window/Event.hpp>

#include <functional>
#include <memory>
#include <vector>

namespace zp {

class Event;
class EventKeyboard;
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
    /// so the loop ends after this frame. A resized window is laid out anew
    /// before the events after it are read. Does nothing without a window,
    /// unless a replay is on.
    void getInput();

    /// With the keys on (off until set), F11 and Alt+Enter turn fullscreen on
    /// and off (after the frame's window events, which still reach the
    /// objects as any key does), in play and in replays alike.
    void setFullscreenKeys(bool enabled);
    bool getFullscreenKeys() const;

    /// From now on every event getInput sends also goes to the recorder, with
    /// the game manager's step count, and the recorder takes its state checks
    /// at the start of each frame. nullptr stops. The recorder is the
    /// caller's.
    void setRecorder(InputRecorder* p_new_recorder);
    /// Further recorders beside the one of setRecorder, each hearing the
    /// same events and frame starts (a saved game recorded beside the run's
    /// recording). A recorder added during a frame's input hears the rest of
    /// that frame's events. Each is the caller's.
    void addRecorder(InputRecorder* p_recorder);
    void removeRecorder(InputRecorder* p_recorder);
    /// Finishes every recorder's recording at the game manager's step count
    /// (InputRecorder::finish): for a program that must end at once (a lost
    /// display), so that its recordings are whole.
    void finishRecording();
    /// From now on getInput sends the replayer's events instead of the
    /// window's (with a window or without); the window is still served, and
    /// its close request still ends the game, as an interruption of the
    /// replay. Frames run no step past the recording's end (the game
    /// manager's step limit), and once the replay is complete, or has parted
    /// from the recording, the game is over. The engine's random state
    /// becomes the recording's seed, when it has one and the replayer plays
    /// from the recording's start (InputReplayer::startAt). nullptr goes back to
    /// the window and lifts the step limit. The replayer is the caller's.
    /// Hand it over where the recorder was made in the recorded run.
    void setReplayer(InputReplayer* p_new_replayer);
    /// What happens once the replay is complete or has parted from its
    /// recording, instead of the end of the game: the replayer is let go
    /// (the step limit lifted) and `on_end` is called with it. The input of
    /// that frame then comes from what `on_end` set: another replayer, or
    /// the window. For a game that is replayed up to a point and then played
    /// on (a saved game taken up again).
    void setReplayer(InputReplayer* p_new_replayer, std::function<void(InputReplayer&)> on_end);
    /// A replayer set while the window's input of a frame is being sent
    /// (by a handler of one of its events) ends that input: the rest of the
    /// frame's window events and held keys are dropped, and the replayer's
    /// events for this step are sent in the same frame.
    bool isReplaying() const;

    /// Keys of the window (pressed, released, held) are offered to `hook`
    /// before they are sent; those it takes (true) go to no object and no
    /// recorder: keys of the program rather than of its game (a mute key,
    /// heard on every screen and never part of a recording). Replayed keys
    /// are not offered. nullptr (the default) takes none.
    void setKeyHook(std::function<bool(const EventKeyboard&)> new_hook);

private:
    InputManager();

    /// Sends one event to every object, and to the recorder.
    void send(const Event& event);
    /// Sends a window event or held key unless the key hook takes it.
    void sendLive(const Event& event);
    void readWindowInput();
    void replayInput();
    /// What a window event asks of the window itself (its new size, fullscreen).
    void serveWindow(const sf::Event& window_event);
    void toggleFullscreenIfAsked();

    InputRecorder* p_recorder = nullptr;
    std::vector<InputRecorder*> more_recorders;
    InputReplayer* p_replayer = nullptr;
    std::function<void(InputReplayer&)> on_replay_end;
    std::function<bool(const EventKeyboard&)> key_hook;
    bool fullscreen_keys = false;
    bool fullscreen_asked = false;
};

/// The engine event that a window event stands for, or nullptr for window
/// events that are consumed without one. Pointer positions become cells
/// through the window's scale and letterbox; over the letterbox, where there
/// is no cell, moves and clicks are consumed without an event; beyond the
/// window's edges they stand at the grid's edge cells.
std::unique_ptr<Event> translateWindowEvent(const sf::Event& window_event);
/// Whether a window event is one of the fullscreen keys: F11, or Enter with Alt.
bool isFullscreenKey(const sf::Event& window_event);

} // namespace zp
