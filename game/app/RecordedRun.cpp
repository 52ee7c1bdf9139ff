#include "app/RecordedRun.h"

#include "app/CommandLine.h"
#include "app/GameState.h"
#include "content/DataPaths.h"
#include "level/LevelFiles.h"
#include "play/WavesGame.h"
#include "screens/SplashScreen.h"

#include "zp/GameManager.h"
#include "zp/InputManager.h"

#include <fstream>

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
    // Without its end a replay would never stop by itself (headless, nothing else stops it).
    if (recording.getEndStep() < 0) {
        error = lineText(recording.getLineCount()) +
                "the recording has no \"end\" line (the step its run ended at)";
        return -1;
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

int checkLevelFiles(int level, int line, std::string& error)
{
    if (level < 1 || level > LEVEL_COUNT)
        return 0;
    for (const char* file : {LEVELS[level - 1].level_file, LEVELS[level - 1].path_file}) {
        const std::string path = gameDataPath(file);
        if (!std::ifstream(path)) {
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
    if (level > 0)
        startWavesGame(level);
    else
        new SplashScreen;
}

RecordedRun::RecordedRun(const Options& options, const zp::InputRecording& replay_recording)
    : record_path(options.record_file), replay_path(options.replay_file), headless(options.headless)
{
    start_step = zp::GameManager::getInstance().getStepCount();
    zp::InputManager& input = zp::InputManager::getInstance();
    if (!replay_path.empty()) {
        replayed = replay_recording;
        p_replayer = std::make_unique<zp::InputReplayer>(replayed, stateDigest);
        input.setReplayer(p_replayer.get());
    }
    if (!record_path.empty()) {
        // Recording a replay takes its level down again, and its input as it is sent.
        recording.setMeta("game", std::string("cinderwatch ") + CINDERWATCH_VERSION);
        recording.setMeta(LEVEL_META,
                          p_replayer ? replay_recording.getMeta(LEVEL_META) : std::to_string(options.level));
        // The difficulty the run starts at: a replay's is the recording's.
        recording.setMeta(DIFFICULTY_META, difficultyRow(chosenDifficulty()).key);
        p_recorder = std::make_unique<zp::InputRecorder>(recording, stateDigest);
        input.setRecorder(p_recorder.get());
    }
}

RecordedRun::~RecordedRun()
{
    zp::InputManager& input = zp::InputManager::getInstance();
    if (p_recorder)
        input.setRecorder(nullptr);
    if (p_replayer)
        input.setReplayer(nullptr);
}

int RecordedRun::begin(std::string& error)
{
    if (p_recorder && recording.writeFile(record_path) != 0) {
        error = "cannot write the recording \"" + record_path + "\"";
        return -1;
    }
    return 0;
}

int RecordedRun::end(double seconds, std::FILE* out, std::FILE* err)
{
    const int step = zp::GameManager::getInstance().getStepCount();
    zp::InputManager& input = zp::InputManager::getInstance();
    int status = 0;
    if (p_recorder) {
        input.setRecorder(nullptr);
        p_recorder->finish(step);
        if (recording.writeFile(record_path) != 0) {
            std::fprintf(err, "cinderwatch: cannot write the recording \"%s\"\n", record_path.c_str());
            status = 1;
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
    std::fprintf(out, "final %s\n", stateLine(readGameState()).c_str());
    if (headless) {
        const int steps = step - start_step;
        const double per_second = seconds > 0 ? steps / seconds : 0;
        std::fprintf(out, "%d steps in %.2f s: %.0f steps per second\n", steps, seconds, per_second);
    }
    std::fflush(out);
    if (p_replayer->hasFailed()) {
        std::fprintf(err, "cinderwatch: %s: the replay differs from the recording at %s\n",
                     replay_path.c_str(), p_replayer->getError().c_str());
        return EXIT_REPLAY_DIFFERS;
    }
    if (p_replayer->wasInterrupted())
        std::fprintf(err, "cinderwatch: the replay was stopped at step %d, before its end\n", step);
    return status;
}
