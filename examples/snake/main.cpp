// Snake: the arrow keys steer, the food makes the snake longer and faster,
// the wall and the snake's own body end the game. R plays again, Q quits.
//   snake [--font FILE] [--autopilot] [--steps N] [--record FILE]
//   snake --replay FILE [--headless]
// --autopilot steers by itself and plays again after each game; --steps N
// ends the run after N world steps. --record writes the run's input (and
// the engine's random state) to FILE; --replay plays such a file back and
// checks that it takes the same course. At the end the program prints the
// games' scores.
#include "Referee.h"
#include "Round.h"
#include "Snake.h"

#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/InputManager.h"
#include "zp/InputRecorder.h"
#include "zp/InputRecording.h"
#include "zp/InputReplayer.h"
#include "zp/LogManager.h"
#include "zp/WorldManager.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

const int EXIT_BAD_RECORDING = 3;
const int EXIT_REPLAY_DIFFERS = 4;

struct Options {
    std::string font = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";
    bool autopilot = false;
    int steps = 0;
    std::string record_file;
    std::string replay_file;
    bool headless = false;
};

Options readOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (option == "--autopilot")
            options.autopilot = true;
        else if (option == "--headless")
            options.headless = true;
        else if (option == "--font" && ++i < argc)
            options.font = value;
        else if (option == "--steps" && ++i < argc)
            options.steps = std::atoi(value);
        else if (option == "--record" && ++i < argc)
            options.record_file = value;
        else if (option == "--replay" && ++i < argc)
            options.replay_file = value;
    }
    return options;
}

// The state a replay must reach at each check: every object's type and
// cell, in the world's order, and the scores so far.
std::uint64_t stateDigest()
{
    std::string state = summary(currentSnake() != nullptr ? currentSnake()->getScore() : -1);
    for (zp::Object* p_o : zp::WorldManager::getInstance().getAllObjects()) {
        const zp::Position at = p_o->getPosition();
        state += "\n" + p_o->getType() + " " + std::to_string(at.getX()) + " " + std::to_string(at.getY());
    }
    return zp::digestOf(state);
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = readOptions(argc, argv);
    zp::InputRecording replayed;
    bool autopilot = options.autopilot;
    if (!options.replay_file.empty()) {
        std::string error;
        if (replayed.readFile(options.replay_file, error) != 0 || replayed.getEndStep() < 0) {
            std::fprintf(stderr, "snake: %s: %s\n", options.replay_file.c_str(),
                         error.empty() ? "the recording has no end" : error.c_str());
            return EXIT_BAD_RECORDING;
        }
        autopilot = replayed.getMeta("autopilot") == "1";
    }

    zp::GraphicsManager::getInstance().setFontFile(options.font);
    zp::LogManager::getInstance().setLogFile("snake.log");
    zp::GameManager& game = zp::GameManager::getInstance();
    game.setHeadless(options.headless);
    if (game.startUp() != 0) {
        std::fprintf(stderr, "snake: the engine did not start (see snake.log)\n");
        game.shutDown();
        return 1;
    }
    // No timing lines, and the few lines there are reach the file at once.
    zp::LogManager::getInstance().setTimingLevel(zp::LOG_OFF);
    zp::LogManager::getInstance().setFlush(true);

    // Recorder and replayer come before the first random number: the
    // replay then draws the same numbers as the recorded run.
    zp::InputManager& input = zp::InputManager::getInstance();
    std::unique_ptr<zp::InputReplayer> p_replayer;
    if (!options.replay_file.empty()) {
        p_replayer = std::make_unique<zp::InputReplayer>(replayed, stateDigest);
        input.setReplayer(p_replayer.get());
    }
    zp::InputRecording recording;
    std::unique_ptr<zp::InputRecorder> p_recorder;
    if (!options.record_file.empty()) {
        recording.setMeta("autopilot", autopilot ? "1" : "0");
        p_recorder = std::make_unique<zp::InputRecorder>(recording, stateDigest);
        input.setRecorder(p_recorder.get());
    }

    // A replay ends where its recording does; a played run at Q or after --steps.
    new Referee(p_replayer ? 0 : options.steps);
    startRound(autopilot);
    game.run();

    const int step = game.getStepCount();
    const std::string scores = summary(currentSnake() != nullptr ? currentSnake()->getScore() : -1);
    int status = 0;
    if (p_recorder) {
        input.setRecorder(nullptr);
        p_recorder->finish(step);
        if (recording.writeFile(options.record_file) != 0) {
            std::fprintf(stderr, "snake: cannot write %s\n", options.record_file.c_str());
            status = 1;
        }
    }
    if (p_replayer) {
        input.setReplayer(nullptr);
        p_replayer->finish(step);
        if (p_replayer->hasFailed()) {
            std::fprintf(stderr, "snake: %s: the replay differs at %s\n", options.replay_file.c_str(),
                         p_replayer->getError().c_str());
            status = EXIT_REPLAY_DIFFERS;
        }
    }
    game.shutDown();
    std::printf("snake: %s, steps %d\n", scores.c_str(), step);
    return status;
}
