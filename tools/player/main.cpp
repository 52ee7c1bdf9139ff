// cinderwatch_player: plays Cinderwatch headless by rules, through the
// recording format, and writes the balance report.
//
//   cinderwatch_player --level N --strategy S [--steps MAX] [--record FILE] [--data DIR]
//       plays one game from the start of level N until it is lost (or MAX
//       steps have run) and prints how far it came; --record writes the game
//       as a recording that `cinderwatch --replay FILE --headless` replays.
//   cinderwatch_player --report FILE [--steps MAX] [--data DIR]
//       plays every level with every strategy, each game in a process of its
//       own (as the game runs one game a process), and writes the report.
#include "ScriptedPlayer.h"
#include "app/ExitStatus.h"
#include "app/GameState.h"
#include "app/RecordedRun.h"
#include "content/DataPaths.h"
#include "content/Resources.h"
#include "level/LevelFiles.h"
#include "play/Difficulty.h"
#include "play/WavesGame.h"

#include "zp/GameManager.h"
#include "zp/InputManager.h"
#include "zp/InputRecorder.h"
#include "zp/InputReplayer.h"
#include "zp/LogManager.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#ifndef ZP_SOURCE_DIR
#define ZP_SOURCE_DIR "."
#endif

namespace {

// Over 16 minutes of play at the normal speed: a game that lasts longer
// counts as not lost.
const int MAX_STEPS_DEFAULT = 30000;
const Strategy STRATEGIES[] = {Strategy::NO_TURRETS, Strategy::ONE_GATLING, Strategy::GREEDY};

struct Settings {
    int level = 0;
    Difficulty difficulty = Difficulty::NORMAL;
    bool has_strategy = false;
    Strategy strategy = Strategy::NO_TURRETS;
    int max_steps = MAX_STEPS_DEFAULT;
    std::string record_file;
    std::string report_file;
    std::string data_dir = ZP_SOURCE_DIR "/GameData";
};

struct Outcome {
    int wave = 0;
    // The step at which the game was lost, or -1 when it still ran at the limit.
    int lost_at = -1;
    int turrets = 0;
};

const char* const USAGE = "Usage: cinderwatch_player --level N --strategy no-turrets|one-gatling|greedy\n"
                          "                          [--steps MAX] [--record FILE] [--data DIR]\n"
                          "       cinderwatch_player --report FILE [--steps MAX] [--data DIR]\n";

int usage(const std::string& problem)
{
    std::fprintf(stderr, "cinderwatch_player: %s\n%s", problem.c_str(), USAGE);
    return EXIT_USAGE;
}

// 0, or -1 with the problem in `error`.
int parse(int argc, char** argv, Settings& settings, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (i + 1 >= argc) {
            error = name + " needs a value";
            return -1;
        }
        const std::string value = argv[++i];
        if (name == "--level") {
            settings.level = std::atoi(value.c_str());
        } else if (name == "--strategy") {
            settings.has_strategy = strategyFromName(value, settings.strategy) == 0;
            if (!settings.has_strategy) {
                error = "unknown strategy '" + value + "'";
                return -1;
            }
        } else if (name == "--difficulty") {
            if (difficultyFromKey(value, settings.difficulty) != 0) {
                error = "--difficulty takes " + difficultyKeys();
                return -1;
            }
        } else if (name == "--steps") {
            settings.max_steps = std::atoi(value.c_str());
        } else if (name == "--record") {
            settings.record_file = value;
        } else if (name == "--report") {
            settings.report_file = value;
        } else if (name == "--data") {
            settings.data_dir = value;
        } else {
            error = "unknown option '" + name + "'";
            return -1;
        }
    }
    if (settings.max_steps <= 0) {
        error = "--steps takes a positive number";
        return -1;
    }
    if (!settings.report_file.empty())
        return 0;
    if (settings.level < 1 || settings.level > LEVEL_COUNT || !settings.has_strategy) {
        error = "a game needs --level 1 to " + std::to_string(LEVEL_COUNT) + " and --strategy";
        return -1;
    }
    return 0;
}

std::string outcomeLine(const Settings& settings, const Outcome& outcome)
{
    std::ostringstream out;
    out << "level " << settings.level << " strategy " << strategyName(settings.strategy) << " wave "
        << outcome.wave << " lost-at " << outcome.lost_at << " turrets " << outcome.turrets;
    return out.str();
}

// One game in this process, headless, as the game itself would run it.
int playGame(const Settings& settings)
{
    setGameDataDir(settings.data_dir);
    zp::LogManager::getInstance().setLogFile("cinderwatch_player.log");
    zp::GameManager& game = zp::GameManager::getInstance();
    game.setHeadless(true);
    if (game.startUp() != 0) {
        std::fprintf(stderr, "cinderwatch_player: the engine did not start\n");
        return EXIT_FAILED;
    }
    loadResources();

    // The player writes its input into `plan`; the replayer sends it, the
    // recorder takes down what was sent, with the state checks.
    zp::InputRecording plan;
    zp::InputRecording recording;
    recording.setMeta("game", "cinderwatch, played by cinderwatch_player");
    recording.setMeta("player", strategyName(settings.strategy));
    recording.setMeta(LEVEL_META, std::to_string(settings.level));
    recording.setMeta(DIFFICULTY_META, difficultyRow(settings.difficulty).key);
    chooseDifficulty(settings.difficulty);
    zp::InputReplayer replayer(plan);
    zp::InputRecorder recorder(recording, stateDigest);
    zp::InputManager& input = zp::InputManager::getInstance();
    input.setReplayer(&replayer);
    input.setRecorder(&recorder);

    ScriptedPlayer player(settings.strategy, plan);
    startFirstScreen(settings.level);
    while (!game.getGameOver() && game.getStepCount() < settings.max_steps &&
           latestPlayResult().end_step < 0) {
        player.act(game.getStepCount());
        game.frame();
    }
    const int end = game.getStepCount();
    recorder.finish(end);
    input.setRecorder(nullptr);
    input.setReplayer(nullptr);

    const PlayResult result = latestPlayResult();
    Outcome outcome;
    outcome.wave = result.wave;
    outcome.lost_at = result.end_step;
    outcome.turrets = result.turrets;
    std::printf("%s\n", outcomeLine(settings, outcome).c_str());
    std::printf("final %s\n", stateLine(readGameState()).c_str());
    int status = 0;
    if (!settings.record_file.empty() && recording.writeFile(settings.record_file) != 0) {
        std::fprintf(stderr, "cinderwatch_player: cannot write \"%s\"\n", settings.record_file.c_str());
        status = EXIT_FAILED;
    }
    game.shutDown();
    return status;
}

// Plays one game in a process of its own; 0 and its outcome, or -1.
int playInOwnProcess(const char* program, const Settings& settings, Strategy strategy, int level,
                     Outcome& outcome)
{
    const std::string command = std::string("'") + program + "' --level " + std::to_string(level) +
                                " --strategy " + strategyName(strategy) + " --steps " +
                                std::to_string(settings.max_steps) + " --data '" + settings.data_dir + "'";
    FILE* p_pipe = popen(command.c_str(), "r");
    if (p_pipe == nullptr)
        return -1;
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, p_pipe) != nullptr)
        output += buffer;
    if (pclose(p_pipe) != 0)
        return -1;
    char name[32] = {};
    int read_level = 0;
    const int fields = std::sscanf(output.c_str(), "level %d strategy %31s wave %d lost-at %d turrets %d",
                                   &read_level, name, &outcome.wave, &outcome.lost_at, &outcome.turrets);
    return fields == 5 && read_level == level && std::string(name) == strategyName(strategy) ? 0 : -1;
}

std::string describe(const Outcome& outcome, int max_steps)
{
    if (outcome.lost_at < 0)
        return "not lost by step " + std::to_string(max_steps);
    return "step " + std::to_string(outcome.lost_at);
}

int writeReport(const char* program, const Settings& settings)
{
    std::ostringstream report;
    report << "# Balance report\n\n"
              "How far a scripted player gets in each level of the shipped data set, played headless by\n"
              "`cinderwatch_player` (tools/player) through the recording format. Each game starts at the\n"
              "level's first step and runs at most "
           << settings.max_steps
           << " steps. A change to the game's numbers\n"
              "shows here as a change of difficulty; the test `balance_report` fails until this file is\n"
              "written again (see the README).\n\n"
              "Strategies:\n\n"
              "- no-turrets: never buys anything.\n"
              "- one-gatling: buys one Gatling at the start, on the cell where it reaches most of the path.\n"
              "- greedy: whenever the currency covers a turret, buys the dearest kind it covers and places\n"
              "  it on the free cell where it reaches most of the path.\n\n"
              "| Level | Strategy | Wave reached | Lost at | Turrets standing |\n"
              "|---|---|---|---|---|\n";
    for (int level = 1; level <= LEVEL_COUNT; ++level) {
        for (Strategy strategy : STRATEGIES) {
            Outcome outcome;
            if (playInOwnProcess(program, settings, strategy, level, outcome) != 0) {
                std::fprintf(stderr, "cinderwatch_player: the game of level %d with %s failed\n", level,
                             strategyName(strategy));
                return 1;
            }
            report << "| " << level << " | " << strategyName(strategy) << " | " << outcome.wave << " | "
                   << describe(outcome, settings.max_steps) << " | " << outcome.turrets << " |\n";
        }
    }
    std::ofstream out(settings.report_file);
    out << report.str();
    if (!out) {
        std::fprintf(stderr, "cinderwatch_player: cannot write \"%s\"\n", settings.report_file.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    Settings settings;
    std::string error;
    if (parse(argc, argv, settings, error) != 0)
        return usage(error);
    if (!settings.report_file.empty())
        return writeReport(argv[0], settings);
    return playGame(settings);
}
