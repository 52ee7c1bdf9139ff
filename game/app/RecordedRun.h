// Recording and replaying a run of the game: the recording's level (which
// screen the run starts on), and the recorder or replayer that the input
// manager uses while the game runs. The game's own code is the same in every
// mode; only the input's source and the checks of its state change.
#pragma once

#include "play/Difficulty.h"

#include "zp/InputRecorder.h"
#include "zp/InputRecording.h"
#include "zp/InputReplayer.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

struct Options;
struct SavedGame;
class ReplayProgress;

// The meta key that names the screen a recording starts on: 0 the splash
// screen (the menu chooses the level), 1 ... LEVEL_COUNT that level at once.
inline const std::string LEVEL_META = "level";
// The meta key of the difficulty the run starts at: casual, normal or
// veteran. Recordings written before there were difficulties have none, and
// are played at normal.
inline const std::string DIFFICULTY_META = "difficulty";

// Reads a recording and the level it names, and sees that a difficulty it
// names is one; 0, or -1 with "line N: what is wrong" in `error`. A
// recording without its "end" line (the temporary file of a run that was
// killed) ends at its last record's step.
int readRecordingFile(const std::string& path, zp::InputRecording& recording, int& level, std::string& error);
// The difficulty a recording (read without error) starts at.
Difficulty recordingDifficulty(const zp::InputRecording& recording);
// Whether a recording read from a file was cut short (it had no "end" line).
bool isCutShort(const zp::InputRecording& recording);
// What is wrong with replaying one file and recording into it (the same
// file, or its temporary file): a recording whose replay parts from it would
// replace it. "" when they are different files.
std::string sameFileProblem(const std::string& replay_file, const std::string& record_file);
// The level's files must be in the data set; 0, or -1 and the error (naming
// the recording's line when there is one).
int checkLevelFiles(int level, int line, std::string& error);
// The splash screen for level 0, else that level at once.
void startFirstScreen(int level);
// A save continued with a replay (--continue with --replay): the save's
// input must be the beginning of the replay's. "" when it is, else what is wrong.
std::string saveAndReplayProblem(const SavedGame& save, const zp::InputRecording& replay);

// One run of the game as the command line asks: recorded, replayed (and
// perhaps recorded again), or neither. Made after the engine has started, before the first screen.
class RecordedRun {
public:
    // For a replay, `replay_recording` is the recording read before start-up;
    // for a save continued, `p_continued` the save (its replay then plays on
    // from the save's end).
    RecordedRun(const Options& options, const zp::InputRecording& replay_recording,
                const SavedGame* p_continued = nullptr);
    ~RecordedRun();
    RecordedRun(const RecordedRun&) = delete;
    RecordedRun& operator=(const RecordedRun&) = delete;

    // Before the loop: a recording starts its file (FILE.tmp), so that a
    // place that takes no file is known before anything is played, and goes
    // on writing it as the run goes. A headless replay whose `err` is a
    // terminal shows its progress there. 0 or -1.
    int begin(std::string& error, std::FILE* err);
    // The first screen: the save continued, else startFirstScreen(level).
    void startGame(int level);
    // After the loop: puts the recording in place, or judges the replay and
    // prints the final state (and the speed, headless) on `out`, problems on
    // `err`. The program's exit status: a write that failed on `out` is one.
    int end(double seconds, std::FILE* out, std::FILE* err);

private:
    std::string record_path;
    std::string replay_path;
    bool headless = false;
    // What is played back, and what is written.
    zp::InputRecording replayed;
    zp::InputRecording recording;
    std::unique_ptr<zp::InputRecorder> p_recorder;
    std::unique_ptr<zp::InputReplayer> p_replayer;
    std::unique_ptr<ReplayProgress> p_progress;
    int start_step = 0;
    const SavedGame* p_continued = nullptr;
};
