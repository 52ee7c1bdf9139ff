// One world update with the broad phase against the same update as a plain
// scan of every object (the tests' LinearScanWorld), measured side by side in
// one run, at the game's density and at four times it; and the cost of an
// event broadcast.
//
// The game's density: a board of the shipped game holds 24 to 45 track
// blocks, a dozen fixed objects (counters, panels, treasure, cursor, level
// controller), a late wave's 27 enemies and a few dozen turrets: about 110
// objects on the 80 x 24 board. The scenes hold a generous OBJECTS_PER_BOARD
// objects per 1,920 cells; 4,999 objects then need a world of about 462 x 139
// cells, and the dense scenes squeeze them into a quarter of that.
#include "reference/LinearScanWorld.h"
#include "support/SeededRandom.h"

#include "zp/EventOut.h"
#include "zp/EventStep.h"
#include "zp/Object.h"
#include "zp/WorldManager.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr int BOARD_WIDTH = 80;
constexpr int BOARD_HEIGHT = 24;
constexpr double OBJECTS_PER_BOARD = 150;
constexpr int FULL_WORLD = zp::MAX_OBJECTS - 1;
constexpr int SMALL_WORLD = 1000;
constexpr int ROUNDS = 3;
constexpr int TIMED_UPDATES = 15;
constexpr int REFERENCE_UPDATES = 3;
constexpr int CHECKED_UPDATES = 3;
// Broadcasts timed together, as one takes microseconds.
constexpr int BROADCASTS_PER_SAMPLE = 100;

using Random = zp::test::SeededRandom;

std::int64_t events_seen = 0;

// Counts what it receives and wraps round the edges of the scene, so the
// density stays as it was built.
class SceneObject : public zp::Object {
public:
    SceneObject(int scene_width, int scene_height) : width(scene_width), height(scene_height) {}

    int eventHandler(const zp::Event* p_e) override
    {
        ++events_seen;
        if (p_e->getType() != zp::OUT_EVENT)
            return 0;
        const zp::Position at = getPosition();
        const int x = (at.getX() % width + width) % width;
        const int y = (at.getY() % height + height) % height;
        if (x != at.getX() || y != at.getY())
            setPosition(zp::Position(x, y));
        return 0;
    }

private:
    int width;
    int height;
};

struct Scene {
    int width;
    int height;
};

// `count` objects at `density` times the game's: boxes of 1 x 1 to 5 x 3, a
// third of them moving at mixed speeds, hard, soft and spectral mixed.
Scene buildScene(int count, double density)
{
    const double cells = count / (density * OBJECTS_PER_BOARD) * BOARD_WIDTH * BOARD_HEIGHT;
    const Scene scene{int(std::lround(std::sqrt(cells * BOARD_WIDTH / BOARD_HEIGHT))),
                      int(std::lround(std::sqrt(cells * BOARD_HEIGHT / BOARD_WIDTH)))};
    const float speeds[] = {0.25f, -0.25f, 0.5f, -0.5f, 1.f, -1.f, 1.5f, -1.5f, 2.f, -2.f};
    const zp::Solidness solidness[] = {zp::HARD, zp::HARD, zp::SOFT, zp::SOFT, zp::SPECTRAL};

    zp::WorldManager& world = zp::WorldManager::getInstance();
    world.shutDown();
    world.startUp();
    Random random(std::uint64_t(count) * 7919 + std::uint64_t(density * 100));
    for (int i = 0; i < count; ++i) {
        auto* p_o = new SceneObject(scene.width, scene.height);
        p_o->setPosition(zp::Position(random.below(scene.width), random.below(scene.height)));
        p_o->setBox(zp::Box(zp::Position(0, 0), 1 + random.below(5), 1 + random.below(3)));
        p_o->setSolidness(solidness[random.below(5)]);
        if (i % 3 == 0) {
            p_o->setXVelocity(speeds[random.below(10)]);
            p_o->setYVelocity(random.below(2) == 0 ? 0.f : speeds[random.below(10)]);
        }
    }
    return scene;
}

// Processor time, not wall time: on a shared machine the time spent waiting
// for a turn on a core would swamp what is measured.
double millisecondsOf(const std::function<void()>& work)
{
    const std::clock_t start = std::clock();
    work();
    return double(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Times of single updates of one kind of scene, gathered over the rounds.
struct Samples {
    std::vector<double> times;
    // Events delivered in the first CHECKED_UPDATES updates of the first round.
    std::int64_t events = -1;
};

// Builds the scene afresh, warms it up and times `updates` single updates.
void timeUpdates(int count, double density, int updates, const std::function<void()>& update,
                 Samples& samples)
{
    buildScene(count, density);
    update(); // warm-up: fills the index's tables and the caches
    std::int64_t events = 0;
    for (int i = 0; i < updates; ++i) {
        events_seen = 0;
        samples.times.push_back(millisecondsOf(update));
        if (i < CHECKED_UPDATES)
            events += events_seen;
    }
    if (samples.events < 0)
        samples.events = events;
}

void compareAtDensity(double density, const char* name)
{
    zp::reference::LinearScanWorld scan;
    const auto world_update = [] { zp::WorldManager::getInstance().update(); };
    const auto scan_update = [&scan] { scan.update(); };

    const Scene full = buildScene(FULL_WORLD, density);
    std::printf("world update, %s: %d objects on %d x %d cells\n", name, FULL_WORLD, full.width, full.height);
    // The machine is shared: rounds that take turns give every kind of
    // update the same share of good and bad moments.
    Samples small, big, small_ref, big_ref;
    for (int round = 0; round < ROUNDS; ++round) {
        timeUpdates(SMALL_WORLD, density, TIMED_UPDATES, world_update, small);
        timeUpdates(FULL_WORLD, density, TIMED_UPDATES, world_update, big);
        timeUpdates(FULL_WORLD, density, REFERENCE_UPDATES, scan_update, big_ref);
        timeUpdates(SMALL_WORLD, density, REFERENCE_UPDATES, scan_update, small_ref);
    }
    const double small_ms = median(small.times);
    const double big_ms = median(big.times);
    const double big_ref_ms = median(big_ref.times);
    std::printf("  %4d objects: median %.3f ms, reference %.2f ms\n", SMALL_WORLD, small_ms,
                median(small_ref.times));
    std::printf("  %4d objects: median %.3f ms, reference %.2f ms\n", FULL_WORLD, big_ms, big_ref_ms);
    std::printf("  events in the first %d updates: %lld, reference %lld (%s)\n", CHECKED_UPDATES,
                static_cast<long long>(big.events), static_cast<long long>(big_ref.events),
                big.events == big_ref.events ? "same" : "DIFFERENT");
    // A smaller world has more of its objects near an edge, with fewer
    // neighbours: part of the growth is the scene's, not the update's.
    std::printf("  events per object and update: %.2f at %d, %.2f at %d\n",
                double(small.events) / CHECKED_UPDATES / SMALL_WORLD, SMALL_WORLD,
                double(big.events) / CHECKED_UPDATES / FULL_WORLD, FULL_WORLD);
    std::printf("  speed-up vs reference: %.0f x\n", big_ref_ms / big_ms);
    const double events_ratio = double(big.events) / FULL_WORLD / (double(small.events) / SMALL_WORLD);
    std::printf("  growth %d->%d: %.1f x (%.1f x per event delivered)\n", SMALL_WORLD, FULL_WORLD,
                big_ms / small_ms, big_ms / small_ms / events_ratio);
}

void timeBroadcast(int count)
{
    buildScene(count, 1);
    const zp::EventStep step;
    std::vector<double> times;
    for (int i = 0; i < TIMED_UPDATES * ROUNDS; ++i)
        times.push_back(millisecondsOf([&] {
                            for (int b = 0; b < BROADCASTS_PER_SAMPLE; ++b)
                                zp::WorldManager::getInstance().onEvent(&step);
                        }) /
                        BROADCASTS_PER_SAMPLE);
    std::printf("  %4d objects: median %.1f us\n", count, median(times) * 1000);
}

} // namespace

int main()
{
    compareAtDensity(1, "game density");
    compareAtDensity(4, "4x game density");
    std::printf("event broadcast (onEvent):\n");
    timeBroadcast(100);
    timeBroadcast(SMALL_WORLD);
    timeBroadcast(FULL_WORLD);
    zp::WorldManager::getInstance().shutDown();
    return 0;
}
