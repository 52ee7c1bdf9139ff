// cinderwatch_player: plays Cinderwatch headless by rules, through the
// recording format, and writes the balance report.
//
//   cinderwatch_player --level N --strategy S [--difficulty D] [--steps MAX]
//                      [--record FILE] [--data DIR]
//       plays one game from the start of level N until it is lost (or MAX
//       steps have run) and prints how far it came; --record writes the game
//       as a recording that `cinderwatch --replay FILE --headless` replays.
//   cinderwatch_player --report FILE [--steps MAX] [--jobs N] [--data DIR]
//       plays every level at every difficulty with every strategy, each game
//       in a process of its own (as the game runs one game a process), N at
//       a time, and writes the report's table into FILE: between its two
//       marker lines, keeping what the file holds around them.
//   cinderwatch_player --check FILE --budget STEPS [--jobs N] [--data DIR]
//       checks the report's table within a budget of steps a game, for
//       builds too slow to play it whole (the sanitizers'): every game whose
//       row says it was lost by then must give that row again, and every
//       other game must still run at the budget. The table must hold every
//       game of the report, in its order.
#include "ScriptedPlayer.h"
#include "app/ExitStatus.h"
#include "app/GameState.h"
#include "app/RecordedRun.h"
#include "content/DataPaths.h"
#include "content/Resources.h"
#include "level/LevelFiles.h"
#include "play/Difficulty.h"
#include "play/WavesGame.h"

#include "zp/AtomicFile.h"
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

// Over an hour of play at the normal speed, long enough for every strategy
// but the strongest to be lost: a game that lasts longer counts as not lost.
const int MAX_STEPS_DEFAULT = 120000;
const int JOBS_DEFAULT = 1;
const Strategy STRATEGIES[] = {Strategy::NO_TURRETS, Strategy::ONE_GATLING, Strategy::GREEDY,
                               Strategy::UPGRADER, Strategy::TARGETING};
const Difficulty DIFFICULTIES[] = {Difficulty::CASUAL, Difficulty::NORMAL, Difficulty::VETERAN};

// The report's table stands between these lines; the rest of the file is
// written by hand and kept.
const char* const TABLE_BEGIN = "<!-- The table below is written by cinderwatch_player --report. -->";
const char* const TABLE_END = "<!-- End of the written table. -->";

struct Settings {
    int level = 0;
    Difficulty difficulty = Difficulty::NORMAL;
    bool has_strategy = false;
    Strategy strategy = Strategy::NO_TURRETS;
    int max_steps = MAX_STEPS_DEFAULT;
    int jobs = JOBS_DEFAULT;
    std::string record_file;
    std::string report_file;
    std::string check_file;
    int budget = 0;
    std::string data_dir = ZP_SOURCE_DIR "/GameData";
};

// One game of the report.
struct Game {
    int level = 0;
    Difficulty difficulty = Difficulty::NORMAL;
    Strategy strategy = Strategy::NO_TURRETS;
};

struct Outcome {
    int wave = 0;
    // The step at which the game was lost, or -1 when it still ran at the limit.
    int lost_at = -1;
    int turrets = 0;
    int upgrades = 0;
};

const char* const USAGE =
    "Usage: cinderwatch_player --level N --strategy no-turrets|one-gatling|greedy|upgrader|targeting\n"
    "                          [--difficulty casual|normal|veteran] [--steps MAX] [--record FILE] [--data "
    "DIR]\n"
    "       cinderwatch_player --report FILE [--steps MAX] [--jobs N] [--data DIR]\n"
    "       cinderwatch_player --check FILE --budget STEPS [--jobs N] [--data DIR]\n";

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
        } else if (name == "--jobs") {
            settings.jobs = std::atoi(value.c_str());
        } else if (name == "--record") {
            settings.record_file = value;
        } else if (name == "--report") {
            settings.report_file = value;
        } else if (name == "--check") {
            settings.check_file = value;
        } else if (name == "--budget") {
            settings.budget = std::atoi(value.c_str());
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
    if (settings.jobs <= 0) {
        error = "--jobs takes a positive number";
        return -1;
    }
    if (!settings.check_file.empty() && settings.budget <= 0) {
        error = "--check needs --budget STEPS, a positive number";
        return -1;
    }
    if (!settings.report_file.empty() || !settings.check_file.empty())
        return 0;
    if (settings.level < 1 || settings.level > LEVEL_COUNT || !settings.has_strategy) {
        error = "a game needs --level 1 to " + std::to_string(LEVEL_COUNT) + " and --strategy";
        return -1;
    }
    return 0;
}

std::string outcomeLine(const Game& game, const Outcome& outcome)
{
    std::ostringstream out;
    out << "level " << game.level << " difficulty " << difficultyRow(game.difficulty).key << " strategy "
        << strategyName(game.strategy) << " wave " << outcome.wave << " lost-at " << outcome.lost_at
        << " turrets " << outcome.turrets << " upgrades " << outcome.upgrades;
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
    outcome.upgrades = result.upgrades;
    std::printf("%s\n",
                outcomeLine({settings.level, settings.difficulty, settings.strategy}, outcome).c_str());
    std::printf("final %s\n", stateLine(readGameState()).c_str());
    int status = 0;
    if (!settings.record_file.empty() && recording.writeFile(settings.record_file) != 0) {
        std::fprintf(stderr, "cinderwatch_player: cannot write \"%s\"\n", settings.record_file.c_str());
        status = EXIT_FAILED;
    }
    game.shutDown();
    return status;
}

// A game started in a process of its own, its output read when it ends.
struct Running {
    Game game;
    FILE* p_pipe = nullptr;
};

FILE* startInOwnProcess(const char* program, const Settings& settings, const Game& game)
{
    const std::string command = std::string("'") + program + "' --level " + std::to_string(game.level) +
                                " --difficulty " + difficultyRow(game.difficulty).key + " --strategy " +
                                strategyName(game.strategy) + " --steps " +
                                std::to_string(settings.max_steps) + " --data '" + settings.data_dir + "'";
    return popen(command.c_str(), "r");
}

// Waits for the game's process; 0 and its outcome, or -1.
int finishInOwnProcess(const Running& running, Outcome& outcome)
{
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, running.p_pipe) != nullptr)
        output += buffer;
    if (pclose(running.p_pipe) != 0)
        return -1;
    std::istringstream in(output);
    std::string words[14];
    for (std::string& word : words)
        in >> word;
    if (words[0] != "level" || words[2] != "difficulty" || words[4] != "strategy" || words[6] != "wave" ||
        words[8] != "lost-at" || words[10] != "turrets" || words[12] != "upgrades")
        return -1;
    outcome.wave = std::atoi(words[7].c_str());
    outcome.lost_at = std::atoi(words[9].c_str());
    outcome.turrets = std::atoi(words[11].c_str());
    outcome.upgrades = std::atoi(words[13].c_str());
    const Game& game = running.game;
    return std::atoi(words[1].c_str()) == game.level && words[3] == difficultyRow(game.difficulty).key &&
                   words[5] == strategyName(game.strategy)
               ? 0
               : -1;
}

// Every game of the report, played `jobs` at a time; 0, or -1 naming the game that failed.
int playAll(const char* program, const Settings& settings, const std::vector<Game>& games,
            std::vector<Outcome>& outcomes)
{
    outcomes.assign(games.size(), Outcome());
    int status = 0;
    for (std::size_t first = 0; first < games.size(); first += std::size_t(settings.jobs)) {
        std::vector<Running> batch;
        for (std::size_t i = first; i < games.size() && i < first + std::size_t(settings.jobs); ++i)
            batch.push_back({games[i], startInOwnProcess(program, settings, games[i])});
        for (std::size_t k = 0; k < batch.size(); ++k) {
            const Game& game = batch[k].game;
            if (batch[k].p_pipe == nullptr || finishInOwnProcess(batch[k], outcomes[first + k]) != 0) {
                std::fprintf(stderr, "cinderwatch_player: the game of level %d at %s with %s failed\n",
                             game.level, difficultyRow(game.difficulty).key, strategyName(game.strategy));
                status = -1;
            }
        }
    }
    return status;
}

std::string describe(const Outcome& outcome, int max_steps)
{
    if (outcome.lost_at < 0)
        return "not lost by step " + std::to_string(max_steps);
    return "step " + std::to_string(outcome.lost_at);
}

std::string tableText(const Settings& settings, const std::vector<Game>& games,
                      const std::vector<Outcome>& outcomes)
{
    std::ostringstream table;
    table
        << TABLE_BEGIN << "\n\nEach game runs at most " << settings.max_steps
        << " steps.\n\n"
           "| Level | Difficulty | Strategy | Wave reached | Lost at | Turrets standing | Upgrade levels |\n"
           "|---|---|---|---|---|---|---|\n";
    for (std::size_t i = 0; i < games.size(); ++i) {
        const Game& game = games[i];
        const Outcome& outcome = outcomes[i];
        table << "| " << game.level << " | " << difficultyRow(game.difficulty).name << " | "
              << strategyName(game.strategy) << " | " << outcome.wave << " | "
              << describe(outcome, settings.max_steps) << " | " << outcome.turrets << " | "
              << outcome.upgrades << " |\n";
    }
    table << "\n" << TABLE_END << "\n";
    return table.str();
}

// The file with its table replaced; a file without the markers gets the
// table at its end.
std::string withTable(const std::string& file, const std::string& table)
{
    const std::size_t begin = file.find(TABLE_BEGIN);
    const std::size_t end = file.find(TABLE_END);
    if (begin == std::string::npos || end == std::string::npos || end < begin)
        return file + (file.empty() || file.back() == '\n' ? "" : "\n") + table;
    std::size_t after = end + std::string(TABLE_END).size();
    if (after < file.size() && file[after] == '\n')
        ++after;
    return file.substr(0, begin) + table + file.substr(after);
}

// Every game of the report, in the table's order.
std::vector<Game> reportGames()
{
    std::vector<Game> games;
    for (int level = 1; level <= LEVEL_COUNT; ++level)
        for (Difficulty difficulty : DIFFICULTIES)
            for (Strategy strategy : STRATEGIES)
                games.push_back({level, difficulty, strategy});
    return games;
}

std::string readWhole(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int writeReport(const char* program, const Settings& settings)
{
    const std::vector<Game> games = reportGames();
    std::vector<Outcome> outcomes;
    if (playAll(program, settings, games, outcomes) != 0)
        return 1;

    const std::string file = readWhole(settings.report_file);
    if (zp::writeFileAtomically(settings.report_file,
                                withTable(file, tableText(settings, games, outcomes))) != 0) {
        std::fprintf(stderr, "cinderwatch_player: cannot write \"%s\"\n", settings.report_file.c_str());
        return 1;
    }
    return 0;
}

// The table's rows as the report writes them: "| 1 | Casual | greedy | ... |".
std::vector<std::string> tableRows(const std::string& file)
{
    std::vector<std::string> rows;
    const std::size_t begin = file.find(TABLE_BEGIN);
    const std::size_t end = file.find(TABLE_END);
    if (begin == std::string::npos || end == std::string::npos || end < begin)
        return rows;
    std::istringstream in(file.substr(begin, end - begin));
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("| ", 0) == 0 && line.rfind("| Level ", 0) != 0)
            rows.push_back(line);
    return rows;
}

// The step a row says its game was lost at, or -1 for one not lost.
int lostAtOf(const std::string& row)
{
    const std::size_t at = row.find("| step ");
    return at == std::string::npos ? -1 : std::atoi(row.c_str() + at + 7);
}

int checkReport(const char* program, const Settings& settings)
{
    const std::vector<Game> games = reportGames();
    const std::vector<std::string> rows = tableRows(readWhole(settings.check_file));
    if (rows.size() != games.size()) {
        std::fprintf(stderr, "cinderwatch_player: %s holds %zu games, the report plays %zu\n",
                     settings.check_file.c_str(), rows.size(), games.size());
        return 1;
    }
    Settings budgeted = settings;
    budgeted.max_steps = settings.budget;
    std::vector<Outcome> outcomes;
    int failures = playAll(program, budgeted, games, outcomes) == 0 ? 0 : 1;
    for (std::size_t i = 0; i < games.size(); ++i) {
        const int lost_at = lostAtOf(rows[i]);
        // A game lost within the budget gives its row again, whatever the report's step limit.
        const bool whole = lost_at >= 0 && lost_at <= settings.budget;
        const std::string played = tableRows(tableText(settings, {games[i]}, {outcomes[i]})).at(0);
        const bool ok = whole ? played == rows[i] : outcomes[i].lost_at < 0;
        std::printf("%s %s%s\n", ok ? "ok  " : "FAIL", rows[i].c_str(),
                    whole ? ""
                    : ok  ? " (still running at the budget)"
                          : " (lost before the budget)");
        if (!ok && whole)
            std::printf("     played: %s\n", played.c_str());
        failures += ok ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    Settings settings;
    std::string error;
    if (parse(argc, argv, settings, error) != 0)
        return usage(error);
    if (!settings.check_file.empty())
        return checkReport(argv[0], settings);
    if (!settings.report_file.empty())
        return writeReport(argv[0], settings);
    return playGame(settings);
}
