// replay_bench: what recording and replaying cost per frame, headless. The
// same world of moving objects runs its frames three ways, interleaved in
// rounds so that a busy machine weighs on all alike: plain; with a replayer
// sending a held key and a mouse move each frame; and with that replayer and
// a recorder taking the events down and a digest of every object every 30
// steps, as `cinderwatch --record` does. Prints microseconds per frame and
// the ratios.
#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/InputManager.h"
#include "zp/InputRecorder.h"
#include "zp/InputRecording.h"
#include "zp/InputReplayer.h"
#include "zp/LogManager.h"
#include "zp/Object.h"
#include "zp/ObjectListIterator.h"
#include "zp/WorldManager.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// About a board of the game: 150 objects.
constexpr int OBJECTS = 150;
constexpr int FRAMES_PER_ROUND = 2000;
constexpr int ROUNDS = 5;
constexpr int HELD_KEY = 0;

// What the game's checks digest: every object's type and position.
std::uint64_t worldDigest()
{
    std::string text;
    const zp::ObjectList all = zp::WorldManager::getInstance().getAllObjects();
    for (zp::ObjectListIterator it(&all); !it.isDone(); it.next()) {
        const zp::Object* p_o = it.currentObject();
        text += p_o->getType() + " " + std::to_string(p_o->getPosition().getX()) + " " +
                std::to_string(p_o->getPosition().getY()) + "\n";
    }
    return zp::digestOf(text);
}

void populate()
{
    for (int i = 0; i < OBJECTS; ++i) {
        auto* p_o = new zp::Object;
        p_o->setType("Walker");
        p_o->setSolidness(zp::SPECTRAL);
        p_o->setPosition(zp::Position(i % 80, i % 24));
        p_o->setXVelocity(0.25f * float(i % 3));
        p_o->setYVelocity(0.125f);
    }
}

enum class Mode { PLAIN, REPLAYED, RECORDED };

// Microseconds per frame over FRAMES_PER_ROUND frames in this mode.
double round(Mode mode)
{
    zp::GameManager& game = zp::GameManager::getInstance();
    zp::InputManager& input = zp::InputManager::getInstance();
    const int start = game.getStepCount();
    zp::InputRecording source;
    for (int frame = 0; frame < FRAMES_PER_ROUND; ++frame) {
        source.addKeyboard(start + frame, zp::KEY_DOWN, HELD_KEY);
        source.addMouse(start + frame, zp::MOVED, 0, zp::Position(frame % 80, frame % 24));
    }
    zp::InputReplayer replayer(source);
    zp::InputRecording taken;
    zp::InputRecorder recorder(taken, worldDigest);
    if (mode != Mode::PLAIN)
        input.setReplayer(&replayer);
    if (mode == Mode::RECORDED)
        input.setRecorder(&recorder);

    const Clock::time_point begin = Clock::now();
    for (int frame = 0; frame < FRAMES_PER_ROUND; ++frame)
        game.frame();
    const double micros = std::chrono::duration<double, std::micro>(Clock::now() - begin).count();

    input.setRecorder(nullptr);
    input.setReplayer(nullptr);
    return micros / FRAMES_PER_ROUND;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main()
{
    zp::LogManager::getInstance().setLogFile("replay_bench.log");
    zp::GameManager& game = zp::GameManager::getInstance();
    game.setHeadless(true);
    if (game.startUp() != 0) {
        std::fprintf(stderr, "replay_bench: cannot start the engine\n");
        return 1;
    }
    populate();

    std::vector<double> plain, replayed, recorded;
    for (int r = 0; r < ROUNDS; ++r) {
        plain.push_back(round(Mode::PLAIN));
        replayed.push_back(round(Mode::REPLAYED));
        recorded.push_back(round(Mode::RECORDED));
    }
    const double p = median(plain), rp = median(replayed), rc = median(recorded);
    std::printf("replay bench: %d objects, %d rounds of %d headless frames each way (median)\n", OBJECTS,
                ROUNDS, FRAMES_PER_ROUND);
    std::printf("  plain frame:                 %8.2f us\n", p);
    std::printf("  replayed (2 events a frame): %8.2f us  (%.3f x plain)\n", rp, rp / p);
    std::printf("  replayed and recorded:       %8.2f us  (%.3f x plain)\n", rc, rc / p);
    std::printf("recording adds %.2f us a frame: %.4f %% of the %d ms a frame has at the normal speed\n",
                rc - rp, 100.0 * (rc - rp) / (1000.0 * zp::FRAME_TIME_DEFAULT), zp::FRAME_TIME_DEFAULT);
    game.shutDown();
    return 0;
}
