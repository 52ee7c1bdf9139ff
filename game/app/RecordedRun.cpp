#include "app/RecordedRun.h"

#include "app/CommandLine.h"
#include "app/ExitStatus.h"
#include "app/GameState.h"
#include "app/ReplayProgress.h"
#include "content/DataPaths.h"
#include "level/LevelFiles.h"
#include "play/WavesGame.h"
#include "progress/PlayerProgress.h"
#include "progress/SaveSession.h"
#include "progress/SavedGame.h"
#include "screens/SplashScreen.h"

#include "zp/AtomicFile.h"
#include "zp/GameManager.h"
#include "zp/InputManager.h"
#include "zp/LineReader.h"
#include "zp/Utility.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#ifndef CINDERWATCH_VERSION
#define CINDERWATCH_VERSION "unknown"
#endif

namespace {

std::string lineText(int line)
{
    return "line " + std::to_string(line) + ": ";
}

} // namespace

int readRecordingFile(const std::string& path, zp::InputRecording& recording, int& level, std::string& error)
{
    if (recording.readFile(path, error) != 0)
        return -1;
    if (!recording.hasMeta(LEVEL_META)) {
        // Where the level should have been said: right after the header.
        error = lineText(recording.getHeaderLine()) + "the recording names no level (a \"meta " + LEVEL_META +
                "\" line, 0 for the splash screen or 1 to " + std::to_string(LEVEL_COUNT) + ")";
        return -1;
    }
    const std::string value = recording.getMeta(LEVEL_META);
    const bool one_digit = value.size() == 1 && value[0] >= '0' && value[0] < '1' + LEVEL_COUNT;
    if (!one_digit) {
        error = lineText(recording.getMetaLine(LEVEL_META)) + "level \"" + value +
                "\" is not a level (0 to " + std::to_string(LEVEL_COUNT) + ")";
        return -1;
    }
    level = value[0] - '0';
    Difficulty difficulty = Difficulty::NORMAL;
    if (recording.hasMeta(DIFFICULTY_META) &&
        difficultyFromKey(recording.getMeta(DIFFICULTY_META), difficulty) != 0) {
        error = lineText(recording.getMetaLine(DIFFICULTY_META)) + "difficulty \"" +
                recording.getMeta(DIFFICULTY_META) + "\" is not a difficulty (" + difficultyKeys() + ")";
        return -1;
    }
    // Without its end a replay would never stop by itself (headless, nothing
    // else stops it): a recording cut short ends at its last record.
    if (recording.getEndStep() < 0) {
        int last_step = 0;
        if (!recording.getInputs().empty())
            last_step = recording.getInputs().back().step;
        if (!recording.getChecks().empty())
            last_step = std::max(last_step, recording.getChecks().back().step);
        recording.setEndStep(last_step);
    }
    return 0;
}

Difficulty recordingDifficulty(const zp::InputRecording& recording)
{
    Difficulty difficulty = Difficulty::NORMAL;
    if (recording.hasMeta(DIFFICULTY_META))
        difficultyFromKey(recording.getMeta(DIFFICULTY_META), difficulty);
    return difficulty;
}

bool isCutShort(const zp::InputRecording& recording)
{
    return recording.getLineCount() > 0 && recording.getEndLine() == 0;
}

std::string sameFileProblem(const std::string& replay_file, const std::string& record_file)
{
    if (replay_file.empty() || record_file.empty())
        return "";
    std::error_code ignored;
    const zp::AtomicFile written(record_file);
    for (const std::string& target : {record_file, written.getTemporaryPath()}) {
        const bool same = target == replay_file || std::filesystem::equivalent(replay_file, target, ignored);
        if (same)
            return "--record " + record_file + " would write over the recording that --replay reads (" +
                   replay_file + "); record to another file";
    }
    return "";
}

int checkLevelFiles(int level, int line, std::string& error)
{
    if (level < 1 || level > LEVEL_COUNT)
        return 0;
    for (const char* file : {LEVELS[level - 1].level_file, LEVELS[level - 1].path_file}) {
        const std::string path = gameDataPath(file);
        // Looked at, not opened: a FIFO in the data set must not stop the replay.
        if (!zp::isRegularFile(path)) {
            error = (line > 0 ? lineText(line) : std::string()) + "level " + std::to_string(level) +
                    " is missing from the game data (no file \"" + path + "\")";
            return -1;
        }
    }
    return 0;
}

void startFirstScreen(int level)
{
    // The world owns the first screen from here on.
    if (level > 0) {
        startWavesGame(level);
        PlayerProgress::getInstance().levelStarted(level);
    } else {
        new SplashScreen;
    }
}

std::string saveAndReplayProblem(const SavedGame& save, const zp::InputRecording& replay)
{
    const std::vector<zp::RecordedInput>& saved = save.recording.getInputs();
    const std::vector<zp::RecordedInput>& replayed = replay.getInputs();
    if (replay.getMeta(LEVEL_META) != std::to_string(save.level))
        return "the recording is not of level " + std::to_string(save.level) + ", the save's";
    if (recordingDifficulty(replay) != recordingDifficulty(save.recording))
        return std::string("the recording is not played at ") +
               difficultyRow(recordingDifficulty(save.recording)).name + ", the save's difficulty";
    if (saved.size() > replayed.size() || !std::equal(saved.begin(), saved.end(), replayed.begin()))
        return "the save is not the beginning of this recording";
    if (replay.getEndStep() >= 0 && replay.getEndStep() < save.recording.getEndStep())
        return "the recording ends before the save does";
    return "";
}

RecordedRun::RecordedRun(const Options& options, const zp::InputRecording& replay_recording,
                         const SavedGame* p_new_continued)
    : record_path(options.record_file), replay_path(options.replay_file), headless(options.headless),
      p_continued(p_new_continued)
{
    start_step = zp::GameManager::getInstance().getStepCount();
    zp::InputManager& input = zp::InputManager::getInstance();
    if (!replay_path.empty()) {
        replayed = replay_recording;
        p_replayer = std::make_unique<zp::InputReplayer>(replayed, stateDigest);
        if (p_continued != nullptr)
            // The save plays the beginning; the replay takes over where it ends.
            // (Its check at the save's end step the save itself has compared.)
            p_replayer->startAt(p_continued->recording.getInputs().size(),
                                p_continued->recording.getEndStep() + 1);
        else
            input.setReplayer(p_replayer.get());
    }
    if (!record_path.empty()) {
        // Recording a replay takes its level down again, and its input as it is sent.
        std::string level = std::to_string(options.level);
        if (p_continued != nullptr)
            level = std::to_string(p_continued->level);
        else if (p_replayer)
            level = replay_recording.getMeta(LEVEL_META);
        recording.setMeta("game", std::string("cinderwatch ") + CINDERWATCH_VERSION);
        recording.setMeta(LEVEL_META, level);
        // The difficulty the run starts at: a replay's is the recording's, a
        // save's its own.
        const Difficulty difficulty =
            p_continued != nullptr ? recordingDifficulty(p_continued->recording) : chosenDifficulty();
        recording.setMeta(DIFFICULTY_META, difficultyRow(difficulty).key);
        // A save continued holds the beginning of the run, from its seed on.
        if (p_continued != nullptr && p_continued->recording.hasSeed())
            recording.setSeed(p_continued->recording.getSeed());
        p_recorder = std::make_unique<zp::InputRecorder>(recording, stateDigest);
        input.setRecorder(p_recorder.get());
    }
}

RecordedRun::~RecordedRun()
{
    if (p_progress)
        zp::GameManager::getInstance().setAfterFrame(nullptr);
    zp::InputManager& input = zp::InputManager::getInstance();
    if (p_recorder)
        input.setRecorder(nullptr);
    if (p_replayer)
        input.setReplayer(nullptr);
}

int RecordedRun::begin(std::string& error, std::FILE* err)
{
    if (p_recorder && p_recorder->writeAsItGoes(record_path) != 0) {
        error = "cannot write the recording \"" + record_path + "\"";
        return -1;
    }
    if (p_replayer && headless && zp::isTerminal(err)) {
        p_progress = std::make_unique<ReplayProgress>(err, start_step, replayed.getEndStep());
        ReplayProgress* p_line = p_progress.get();
        zp::GameManager::getInstance().setAfterFrame([p_line] {
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            p_line->update(zp::GameManager::getInstance().getStepCount(),
                           std::chrono::duration_cast<std::chrono::microseconds>(now).count());
        });
    }
    return 0;
}

void RecordedRun::startGame(int level)
{
    if (p_continued != nullptr)
        SaveSession::getInstance().resume(*p_continued, p_replayer.get());
    else
        startFirstScreen(level);
}

int RecordedRun::end(double seconds, std::FILE* out, std::FILE* err)
{
    const int step = zp::GameManager::getInstance().getStepCount();
    zp::InputManager& input = zp::InputManager::getInstance();
    if (p_progress) {
        zp::GameManager::getInstance().setAfterFrame(nullptr);
        p_progress->clear();
    }
    int status = EXIT_OK;
    if (p_recorder) {
        input.setRecorder(nullptr);
        if (p_recorder->finish(step) != 0) {
            std::fprintf(err, "cinderwatch: cannot write the recording \"%s\"\n", record_path.c_str());
            status = EXIT_FAILED;
        }
    }
    if (!p_replayer)
        return status;

    input.setReplayer(nullptr);
    // The loop ends with the game over, unless it was stopped from outside
    // (a signal): what the recording still holds is then no difference.
    if (!zp::GameManager::getInstance().getGameOver())
        p_replayer->interrupt();
    p_replayer->finish(step);
    // The final state is what a replay is asked for: a write that fails (a
    // full disk, a closed output, a pipe nobody reads) fails the run.
    std::fprintf(out, "final %s\n", stateLine(readGameState()).c_str());
    if (headless) {
        const int steps = step - start_step;
        const double per_second = seconds > 0 ? steps / seconds : 0;
        std::fprintf(out, "%d steps in %.2f s: %.0f steps per second\n", steps, seconds, per_second);
    }
    if (std::fflush(out) != 0 || std::ferror(out)) {
        std::fprintf(err, "cinderwatch: cannot write the final state to standard output: %s\n",
                     std::strerror(errno));
        status = EXIT_FAILED;
    }
    if (isCutShort(replayed))
        std::fprintf(err,
                     "cinderwatch: %s: the recording has no \"end\" line (its run was cut short); it was "
                     "replayed to its last record, step %d\n",
                     replay_path.c_str(), replayed.getEndStep());
    if (p_replayer->hasFailed()) {
        std::fprintf(err, "cinderwatch: %s: the replay differs from the recording at %s\n",
                     replay_path.c_str(), p_replayer->getError().c_str());
        return EXIT_REPLAY_DIFFERS;
    }
    if (p_replayer->wasInterrupted())
        std::fprintf(err, "cinderwatch: the replay was stopped at step %d, before its end\n", step);
    return status;
}
