// resume_bench: how long continuing a long saved game takes, in Release.
// A scripted player (greedy, level 1) plays a game of 30,000 steps headless
// with saving on, and the program's end saves it, as a closed window would.
// Then the save is continued several times, each in a fresh process as the
// game continues one: read and checked, its level started, its input
// replayed unseen up to its last step, where the game must stand in the
// state it was saved in (else the run fails). Prints the milliseconds of each continue (reading
// the file, and catching up) and of each whole process (start, data and
// continue), then their medians beside the 2,000 ms allowed.
//
//   resume_bench [--steps N] [--runs R] [--data DIR]
#include "ScriptedPlayer.h"
#include "app/RecordedRun.h"
#include "content/DataPaths.h"
#include "content/Resources.h"
#include "play/WavesGame.h"
#include "progress/PlayerProgress.h"
#include "progress/SaveSession.h"
#include "progress/SavedGame.h"

#include "zp/GameManager.h"
#include "zp/InputManager.h"
#include "zp/InputReplayer.h"
#include "zp/LogManager.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#ifndef ZP_SOURCE_DIR
#define ZP_SOURCE_DIR "."
#endif

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

const int STEPS_DEFAULT = 30000;
const int RUNS_DEFAULT = 5;
const double ALLOWED_MS = 2000;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The engine headless, with the game's data and a log in `folder`.
int startGame(const std::string& data, const std::string& folder)
{
    setGameDataDir(data);
    zp::LogManager::getInstance().setLogFile(folder + "/resume_bench.log");
    zp::GameManager& game = zp::GameManager::getInstance();
    game.setHeadless(true);
    if (game.startUp() != 0) {
        std::fprintf(stderr, "resume_bench: the engine did not start\n");
        return -1;
    }
    loadResources();
    return 0;
}

// Plays level 1 for `steps` steps with saving on into `folder`/saves, then
// ends as the program does. Prints the save's path.
int makeSave(const std::string& data, const std::string& folder, int steps)
{
    if (startGame(data, folder) != 0)
        return 1;
    PlayerProgress::getInstance().start(folder + "/records", folder + "/saves", true);
    zp::InputRecording plan;
    zp::InputReplayer replayer(plan);
    zp::InputManager::getInstance().setReplayer(&replayer);
    ScriptedPlayer player(Strategy::GREEDY, plan);
    zp::GameManager& game = zp::GameManager::getInstance();
    startFirstScreen(1);
    while (game.getStepCount() < steps && latestPlayResult().end_step < 0) {
        player.act(game.getStepCount());
        game.frame();
    }
    if (latestPlayResult().end_step >= 0) {
        std::fprintf(stderr, "resume_bench: the game was lost at step %d: nothing to save\n",
                     latestPlayResult().end_step);
        return 1;
    }
    SaveSession::getInstance().programEnds();
    zp::InputManager::getInstance().setReplayer(nullptr);
    std::printf("%s\n", saveFileOf(folder + "/saves", 1).c_str());
    game.shutDown();
    return 0;
}

// Continues the save at `path` (saving off, so that the file stays as it
// is) and prints "<steps> <read ms> <catch-up ms>".
int continueSave(const std::string& data, const std::string& folder, const std::string& path)
{
    if (startGame(data, folder) != 0)
        return 1;
    zp::GameManager& game = zp::GameManager::getInstance();
    SaveSession& session = SaveSession::getInstance();
    const Clock::time_point start = Clock::now();
    const SavedGame save = readSavedGame(path);
    const double read_ms = msSince(start);
    if (!save.canContinue()) {
        std::fprintf(stderr, "resume_bench: %s\n", save.problem.c_str());
        return 1;
    }
    const int origin = game.getStepCount();
    if (session.resume(save) != 0)
        return 1;
    // A catch-up that runs past its save's end has gone wrong.
    const int limit = origin + save.recording.getEndStep() + 100;
    while (session.isCatchingUp() && game.getStepCount() < limit)
        game.frame();
    const double total_ms = msSince(start);
    if (session.isCatchingUp() || !session.getNotice().empty()) {
        std::fprintf(stderr, "resume_bench: the catch-up failed: %s\n", session.getNotice().c_str());
        return 1;
    }
    // The catch-up checked the state at the save's last step against the
    // save's; the frame that handed the game over may have run one step more.
    const int ran = game.getStepCount() - origin;
    if (ran < save.recording.getEndStep() || ran > save.recording.getEndStep() + 1) {
        std::fprintf(stderr, "resume_bench: the catch-up ran %d steps of the save's %d\n", ran,
                     save.recording.getEndStep());
        return 1;
    }
    std::printf("%d %.1f %.1f\n", save.recording.getEndStep(), read_ms, total_ms - read_ms);
    game.shutDown();
    return 0;
}

// Runs this program with `arguments`; its first line of output, or "" when it failed.
std::string runSelf(const std::string& program, const std::string& arguments)
{
    FILE* p_pipe = popen(("'" + program + "' " + arguments).c_str(), "r");
    if (p_pipe == nullptr)
        return "";
    std::string output;
    char buffer[512];
    if (std::fgets(buffer, sizeof buffer, p_pipe) != nullptr)
        output = buffer;
    while (std::fgets(buffer, sizeof buffer, p_pipe) != nullptr) {
    }
    if (pclose(p_pipe) != 0)
        return "";
    if (!output.empty() && output.back() == '\n')
        output.pop_back();
    return output;
}

int measure(const std::string& program, const std::string& data, int steps, int runs)
{
    char folder_template[] = "/tmp/resume_bench-XXXXXX";
    if (mkdtemp(folder_template) == nullptr) {
        std::perror("resume_bench: mkdtemp");
        return 1;
    }
    const std::string folder = folder_template;
    const std::string common = "--data '" + data + "' --folder '" + folder + "'";
    const std::string save = runSelf(program, "--make-save " + std::to_string(steps) + " " + common);
    if (save.empty()) {
        std::fprintf(stderr, "resume_bench: no save was made (see %s)\n", folder.c_str());
        return 1;
    }
    std::printf("a save of level 1, %d steps (%ju bytes): %s\n", steps,
                static_cast<std::uintmax_t>(fs::file_size(save)), save.c_str());
    std::printf("%-4s %12s %14s %16s %18s\n", "run", "steps", "read ms", "catch-up ms", "whole process ms");
    std::vector<double> continues;
    std::vector<double> processes;
    for (int run = 1; run <= runs; ++run) {
        const Clock::time_point start = Clock::now();
        const std::string line = runSelf(program, "--continue '" + save + "' " + common);
        const double process_ms = msSince(start);
        int saved_steps = 0;
        double read_ms = 0;
        double catch_up_ms = 0;
        if (std::sscanf(line.c_str(), "%d %lf %lf", &saved_steps, &read_ms, &catch_up_ms) != 3) {
            std::fprintf(stderr, "resume_bench: run %d failed (see %s)\n", run, folder.c_str());
            return 1;
        }
        std::printf("%-4d %12d %14.1f %16.1f %18.1f\n", run, saved_steps, read_ms, catch_up_ms, process_ms);
        continues.push_back(read_ms + catch_up_ms);
        processes.push_back(process_ms);
    }
    std::printf("continuing a save of %d steps: median %.0f ms (allowed %.0f ms); whole process: median %.0f "
                "ms\n",
                steps, median(continues), ALLOWED_MS, median(processes));
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    int steps = STEPS_DEFAULT;
    int runs = RUNS_DEFAULT;
    std::string data = ZP_SOURCE_DIR "/GameData";
    std::string folder;
    bool making = false;
    std::string continued;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--steps") {
            steps = std::atoi(value.c_str());
        } else if (name == "--runs") {
            runs = std::atoi(value.c_str());
        } else if (name == "--data") {
            data = value;
        } else if (name == "--folder") {
            folder = value;
        } else if (name == "--make-save") {
            steps = std::atoi(value.c_str());
            making = true;
        } else if (name == "--continue") {
            continued = value;
        } else {
            std::fprintf(stderr, "resume_bench: unknown option '%s'\n", name.c_str());
            return 2;
        }
    }
    if ((argc - 1) % 2 != 0 || steps <= 0 || runs <= 0) {
        std::fprintf(stderr, "usage: resume_bench [--steps N] [--runs R] [--data DIR]\n");
        return 2;
    }
    if (making)
        return makeSave(data, folder, steps);
    if (!continued.empty())
        return continueSave(data, folder, continued);
    return measure(argv[0], data, steps, runs);
}
