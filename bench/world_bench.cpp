// Times one world update and one event broadcast at growing object counts.
#include "zp/EventStep.h"
#include "zp/Object.h"
#include "zp/WorldManager.h"

#include <benchmark/benchmark.h>

namespace {

class CountingObject : public zp::Object {
public:
    int eventHandler(const zp::Event*) override
    {
        ++events;
        return 0;
    }
    int events = 0;
};

// Solid objects spread over the board, a few of them moving.
void populate(int count)
{
    zp::WorldManager& world = zp::WorldManager::getInstance();
    world.shutDown();
    world.startUp();
    for (int i = 0; i < count; ++i) {
        auto* p_o = new CountingObject;
        p_o->setPosition(zp::Position((i * 7) % 80, (i * 3) % 24));
        p_o->setSolidness(i % 2 == 0 ? zp::HARD : zp::SOFT);
        if (i % 10 == 0)
            p_o->setXVelocity(0.5f);
    }
}

void worldUpdate(benchmark::State& state)
{
    populate(int(state.range(0)));
    for (auto _ : state)
        zp::WorldManager::getInstance().update();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void eventBroadcast(benchmark::State& state)
{
    populate(int(state.range(0)));
    const zp::EventStep step;
    for (auto _ : state)
        zp::WorldManager::getInstance().onEvent(&step);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(worldUpdate)->Arg(100)->Arg(1000)->Arg(4999)->Unit(benchmark::kMicrosecond);
BENCHMARK(eventBroadcast)->Arg(100)->Arg(1000)->Arg(4999)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
