// Keeps the game under way saved: while a level is played live, its input is
// recorded (counted from the level's first step, as a recording of that
// level alone would be) into the level's save, which is written whole at the
// start of every wave (an autosave: a crash, a kill or a power cut loses at
// most one wave), when the player saves and quits, and when the program ends
// with the level under way. A game that is over needs no save: its file goes.
//
// Continuing a save replays it without drawing, unheard and unpaced, up to
// its last step, then hands the game to the player and records on into the
// same save, so that a game continued and saved again holds the whole game
// from its first step.
#pragma once

#include "progress/SavedGame.h"

#include "zp/InputRecorder.h"
#include "zp/InputRecording.h"
#include "zp/InputReplayer.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

// When a save was written (or, at the end of a game, would have been).
enum class SaveMoment {
    WAVE_START,
    SAVE_AND_QUIT,
    PROGRAM_END,
    // The game is over: the recording is finished and the save removed.
    GAME_OVER,
};

class SaveSession {
public:
    static SaveSession& getInstance();
    SaveSession(const SaveSession&) = delete;
    SaveSession& operator=(const SaveSession&) = delete;

    // Saves go to `folder` from now on (made when first needed); "" (the
    // default) saves nothing: replays and tests play without it. Ends any
    // session under way without writing.
    void setFolder(const std::string& new_folder);
    const std::string& getFolder() const;
    bool isOn() const;

    // A live game of `level` starts now: its recording begins.
    void begin(int level);
    // Its counter shows wave `wave` from now: the next frame start saves.
    void waveStarted(int wave);
    // The game is over: at the next frame start (or the program's end) its
    // recording is finished and its save removed.
    void gameOver();
    // Inputs recorded so far.
    std::size_t getInputCount() const;
    // The pause menu opened with the input after the first `input_count`
    // (the key that opened it): a save made while it is open leaves out that
    // input and all after it, so that the game continues as it was before.
    void pauseMenuOpened(std::size_t input_count);
    void pauseMenuClosed();
    // The player saves and quits: the save is written now (without the
    // pause menu's input, see pauseMenuOpened) and the session ends. 0, or
    // -1 with `error`: nothing is saved, the old file is kept, and the
    // session goes on.
    int saveAndStop(std::string& error);
    // The program ends: a game under way is saved (without the pause menu's
    // input, if it is open), a game over finished.
    void programEnds();

    // Continues `save` (which can be continued), from the step under way
    // (and records on into it, unless saving is off):
    // its level starts and its input is replayed unseen and unheard. When the
    // replay reaches the save's end in the save's state the player takes
    // over (or `p_then` does: a replayer set from then on, for tests and
    // benchmarks). When it does not, the board leaves for the menu, the save
    // is moved aside, and getNotice() says why. 0, or -1 when it cannot begin.
    int resume(const SavedGame& save, zp::InputReplayer* p_then = nullptr);
    bool isCatchingUp() const;
    bool isRecording() const;
    // The save being written or continued; "" when none.
    const std::string& getPath() const;
    // The recording of the game under way (or of the last one).
    const zp::InputRecording& getRecording() const;

    // A message for the player about the last save or continue that went
    // wrong, and the step it came at; "" when all went well.
    const std::string& getNotice() const;
    int getNoticeStep() const;
    // Called with the recording each time it is saved (and at a game over).
    void setObserver(std::function<void(const zp::InputRecording&, SaveMoment)> new_observer);

private:
    SaveSession();

    static constexpr std::size_t NO_PAUSE_MENU = static_cast<std::size_t>(-1);

    enum class State { IDLE, RECORDING, CATCHING_UP, ENDING };

    void startRecorder();
    void stopRecorder();
    void atFrameStart(int step);
    // Writes the recording with its end at `step` (the program's), keeping
    // it open when it goes on. 0 or -1.
    int write(int step, SaveMoment moment, std::string& error);
    void finishGame(int step);
    void endCatchUp(zp::InputReplayer& replayer);
    void notice(const std::string& text);

    std::string folder;
    State state = State::IDLE;
    std::string path;
    int level = 0;
    int origin = 0;
    int pending_wave = 0;
    // Inputs from here on opened and worked the pause menu (npos: it is closed).
    std::size_t pause_menu_inputs = NO_PAUSE_MENU;
    // This session wrote its file at least once (only then is it removed at a game over).
    bool written = false;
    bool muted_before = false;
    zp::InputRecording recording;
    std::unique_ptr<zp::InputRecorder> p_recorder;
    std::unique_ptr<zp::InputReplayer> p_catch_up;
    zp::InputReplayer* p_then = nullptr;
    std::string notice_text;
    int notice_step = -1;
    std::function<void(const zp::InputRecording&, SaveMoment)> observer;
};
