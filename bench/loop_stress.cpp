// The real game loop under load: 4,998 animated objects and a probe (4,999,
// a full world) on a world four boards by four, the view showing 80 x 24 of
// it, run through GameManager with the real window and graphics manager.
// First 600 steps paced by run(), which must hold 30 steps per second; then
// 600 unpaced frame() calls for the cost of a frame alone.
//
// Run it from the build folder under an X server (the font and the log are
// in the working directory):  ../scripts/with-display.sh ./loop_stress
#include "support/SeededRandom.h"

#include "zp/Event.h"
#include "zp/EventOut.h"
#include "zp/EventStep.h"
#include "zp/Frame.h"
#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/Object.h"
#include "zp/Sprite.h"
#include "zp/WorldManager.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int STEPS = 600;
constexpr int EMPTY_STEPS = 100;
constexpr int SCENE_OBJECTS = zp::MAX_OBJECTS - 2; // and the probe: a full world
// The game's density (300 objects per 80 x 24 board) at 4,999 objects.
constexpr int WORLD_WIDTH = 327;
constexpr int WORLD_HEIGHT = 98;
constexpr double TARGET_STEPS_PER_SECOND = 30;

long long draws = 0;

double millisecondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

double percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(share * double(values.size())))];
}

using Random = zp::test::SeededRandom;

// Animated, wraps round the edges of the world, counts its draws.
class SceneObject : public zp::Object {
public:
    int eventHandler(const zp::Event* p_e) override
    {
        if (p_e->getType() != zp::OUT_EVENT)
            return 0;
        const zp::Position at = getPosition();
        const int x = (at.getX() % WORLD_WIDTH + WORLD_WIDTH) % WORLD_WIDTH;
        const int y = (at.getY() % WORLD_HEIGHT + WORLD_HEIGHT) % WORLD_HEIGHT;
        if (x != at.getX() || y != at.getY())
            setPosition(zp::Position(x, y));
        return 0;
    }
    void draw() override
    {
        ++draws;
        Object::draw();
    }
};

// Notes when each step's step events begin (input is done) and when the
// world's draw begins (the update is done), and ends the paced run after
// STEPS steps. It stands first in the world, in the view, in the lowest
// layer, so it is the first to get both.
class Probe : public zp::Object {
public:
    explicit Probe(zp::Position in_view)
    {
        setSolidness(zp::SPECTRAL);
        setAltitude(1);
        setPosition(in_view);
    }
    int eventHandler(const zp::Event* p_e) override
    {
        if (p_e->getType() != zp::STEP_EVENT)
            return 0;
        step_starts.push_back(Clock::now());
        if (int(step_starts.size()) == STEPS)
            zp::GameManager::getInstance().setGameOver(true);
        return 0;
    }
    void draw() override { draw_starts.push_back(Clock::now()); }

    std::vector<Clock::time_point> step_starts;
    std::vector<Clock::time_point> draw_starts;
};

// Sprites of 1 x 1 to 5 x 3 cells, two frames each.
std::vector<std::unique_ptr<zp::Sprite>> makeSprites()
{
    std::vector<std::unique_ptr<zp::Sprite>> sprites;
    for (int w = 1; w <= 5; ++w)
        for (int h = 1; h <= 3; ++h) {
            auto p_sprite = std::make_unique<zp::Sprite>(2);
            p_sprite->setWidth(w);
            p_sprite->setHeight(h);
            p_sprite->setColor(zp::Color(1 + (w + h) % 7));
            p_sprite->pushFrame(zp::Frame(w, h, std::string(std::size_t(w * h), '#')));
            p_sprite->pushFrame(zp::Frame(w, h, std::string(std::size_t(w * h), '*')));
            sprites.push_back(std::move(p_sprite));
        }
    return sprites;
}

void populate(const std::vector<std::unique_ptr<zp::Sprite>>& sprites)
{
    const float speeds[] = {0.25f, -0.25f, 0.5f, -0.5f, 1.f, -1.f, 1.5f, -1.5f, 2.f, -2.f};
    const zp::Solidness solidness[] = {zp::HARD, zp::HARD, zp::SOFT, zp::SOFT, zp::SPECTRAL};
    Random random(4999);
    for (int i = 0; i < SCENE_OBJECTS; ++i) {
        auto* p_o = new SceneObject;
        p_o->setPosition(zp::Position(random.below(WORLD_WIDTH), random.below(WORLD_HEIGHT)));
        p_o->setSprite(sprites[std::size_t(random.below(int(sprites.size())))].get());
        p_o->setSpriteSlowdown(1 + random.below(4));
        p_o->setSolidness(solidness[random.below(5)]);
        if (i % 3 == 0) {
            p_o->setXVelocity(speeds[random.below(10)]);
            p_o->setYVelocity(random.below(2) == 0 ? 0.f : speeds[random.below(10)]);
        }
    }
}

// The values of the loop's own log lines that start with `marker` ("loop
// time: " is a step's work before the sleep, "draw time: " the world's
// draw), in whole milliseconds.
std::vector<double> loggedTimes(const std::string& marker)
{
    std::ifstream log("zephane.log");
    std::vector<double> times;
    for (std::string line; std::getline(log, line);) {
        const auto at = line.find(marker);
        if (at != std::string::npos)
            times.push_back(std::stod(line.substr(at + marker.size())));
    }
    return times;
}

// What the graphics manager's swapBuffers cost each unpaced frame: its time
// in milliseconds, and the cells it drew again.
std::vector<double> show_times;
std::vector<double> cells_redrawn;

// Times `steps` calls of frame(): their starts and ends.
void unpacedSteps(int steps, std::vector<Clock::time_point>& starts, std::vector<Clock::time_point>& ends)
{
    zp::GameManager& game = zp::GameManager::getInstance();
    const zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    for (int i = 0; i < steps; ++i) {
        starts.push_back(Clock::now());
        game.frame();
        ends.push_back(Clock::now());
        const zp::FrameCost cost = graphics.getLastFrameCost();
        show_times.push_back(double(cost.microseconds) / 1000.0);
        cells_redrawn.push_back(cost.cells_redrawn);
    }
}

std::vector<double> durations(const std::vector<Clock::time_point>& from, std::size_t from_offset,
                              const std::vector<Clock::time_point>& to, std::size_t to_offset,
                              std::size_t count)
{
    std::vector<double> times;
    for (std::size_t i = 0; i < count; ++i)
        times.push_back(millisecondsBetween(from[from_offset + i], to[to_offset + i]));
    return times;
}

void printTimes(const char* what, const std::vector<double>& times)
{
    std::printf("  %s: p50 %.2f ms, p99 %.2f ms\n", what, percentile(times, 0.5), percentile(times, 0.99));
}

std::vector<double> slice(const std::vector<double>& values, std::size_t from, std::size_t count)
{
    from = std::min(from, values.size());
    return std::vector<double>(values.begin() + std::ptrdiff_t(from),
                               values.begin() + std::ptrdiff_t(std::min(values.size(), from + count)));
}

} // namespace

int main()
{
    zp::GameManager& game = zp::GameManager::getInstance();
    if (game.startUp() != 0) {
        std::fprintf(stderr, "loop_stress: cannot start (an X display and zp-font.ttf in the working "
                             "directory are needed)\n");
        return 1;
    }
    zp::WorldManager& world = zp::WorldManager::getInstance();
    const zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    world.setBoundary(zp::Box(zp::Position(0, 0), WORLD_WIDTH, WORLD_HEIGHT));
    world.setView(zp::Box(zp::Position(0, 0), graphics.getHorizontalChars(), graphics.getVerticalChars()));
    world.setViewPosition(zp::Position(WORLD_WIDTH / 2, WORLD_HEIGHT / 2));

    // What the window costs on its own: input polling, an empty frame shown.
    std::vector<Clock::time_point> empty_starts, empty_ends;
    unpacedSteps(EMPTY_STEPS, empty_starts, empty_ends);

    const auto sprites = makeSprites();
    auto* p_probe = new Probe(world.getView().getCorner());
    populate(sprites);
    std::printf("loop stress: %d objects on %d x %d cells, the view %d x %d at (%d, %d)\n",
                world.getAllObjects().getCount(), WORLD_WIDTH, WORLD_HEIGHT, world.getView().getHorizontal(),
                world.getView().getVertical(), world.getView().getCorner().getX(),
                world.getView().getCorner().getY());

    game.run();
    const std::vector<Clock::time_point>& step_starts = p_probe->step_starts;
    const std::vector<double> periods = durations(step_starts, 0, step_starts, 1, STEPS - 1);
    const double paced_rate =
        (STEPS - 1) * 1000.0 / millisecondsBetween(step_starts.front(), step_starts[STEPS - 1]);
    const long long paced_draws = draws;

    game.setGameOver(false);
    std::vector<Clock::time_point> starts, ends;
    show_times.clear();
    cells_redrawn.clear();
    unpacedSteps(STEPS, starts, ends);
    const double unpaced_rate = STEPS * 1000.0 / millisecondsBetween(starts.front(), ends.back());
    const std::vector<Clock::time_point> probe_steps = p_probe->step_starts;
    const std::vector<Clock::time_point> probe_draws = p_probe->draw_starts;
    game.shutDown(); // deletes the probe; closes the log, so its lines can be read
    const std::vector<double> loop_times = slice(loggedTimes("loop time: "), EMPTY_STEPS, STEPS);

    std::printf("window alone (empty world, %d unpaced steps):\n", EMPTY_STEPS);
    printTimes("step cost", durations(empty_starts, 0, empty_ends, 0, EMPTY_STEPS));
    std::printf("paced by run(), %d steps: %.1f steps per second (%s %.0f)\n", STEPS, paced_rate,
                paced_rate >= TARGET_STEPS_PER_SECOND - 0.5 ? "holds" : "BELOW", TARGET_STEPS_PER_SECOND);
    printTimes("step period", periods);
    std::printf("  step work as the loop logs it: p50 %.0f ms, p99 %.0f ms\n", percentile(loop_times, 0.5),
                percentile(loop_times, 0.99));
    std::printf("  objects drawn per step: %.0f of %d (the rest culled before any glyph work)\n",
                double(paced_draws) / STEPS, SCENE_OBJECTS);
    std::printf("unpaced frame(), %d frames: %.0f steps per second\n", STEPS, unpaced_rate);
    printTimes("step cost", durations(starts, 0, ends, 0, STEPS));
    printTimes("  input (window events, held-key poll)", durations(starts, 0, probe_steps, STEPS, STEPS));
    printTimes("  step events and world update", durations(probe_steps, STEPS, probe_draws, STEPS, STEPS));
    printTimes("  world draw and frame shown", durations(probe_draws, STEPS, ends, 0, STEPS));
    printTimes("    of which the frame drawn and shown (swapBuffers)", show_times);
    std::printf("    cells drawn again a frame: p50 %.0f, p99 %.0f of %d\n", percentile(cells_redrawn, 0.5),
                percentile(cells_redrawn, 0.99), graphics.getHorizontalChars() * graphics.getVerticalChars());
    return 0;
}
