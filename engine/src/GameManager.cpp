#include "zp/GameManager.h"

#include "platform/Platform.h"
#include "zp/Clock.h"
#include "zp/EventStep.h"
#include "zp/GraphicsManager.h"
#include "zp/InputManager.h"
#include "zp/LogManager.h"
#include "zp/Object.h"
#include "zp/ObjectListIterator.h"
#include "zp/ResourceManager.h"
#include "zp/WorldManager.h"

namespace zp {
namespace {

constexpr long MICROSECONDS_PER_MILLISECOND = 1000;

} // namespace

GameManager::GameManager()
{
    setType("GameManager");
}

GameManager& GameManager::getInstance()
{
    static GameManager instance;
    return instance;
}

int GameManager::startUp()
{
    // From here on SIGINT and SIGTERM end the loop between two iterations,
    // and a lost display is reported in the engine's own words.
    platform::installStopSignals();
    platform::watchDisplayConnection();

    Manager* const managers[] = {
        &LogManager::getInstance(),   &WorldManager::getInstance(),    &GraphicsManager::getInstance(),
        &InputManager::getInstance(), &ResourceManager::getInstance(),
    };
    for (Manager* p_manager : managers)
        if (p_manager->startUp() != 0)
            return -1;

    game_over = false;
    platform::beginTimerResolution();

    const GraphicsManager& graphics = GraphicsManager::getInstance();
    const Box window_cells(Position(0, 0), graphics.getHorizontalChars(), graphics.getVerticalChars());
    WorldManager& world = WorldManager::getInstance();
    world.setBoundary(window_cells);
    world.setView(window_cells);
    return Manager::startUp();
}

void GameManager::shutDown()
{
    game_over = true;
    platform::endTimerResolution();
    LogManager::getInstance().shutDown();
    WorldManager::getInstance().shutDown();
    Manager::shutDown();
}

long GameManager::step()
{
    Clock clock;
    WorldManager& world = WorldManager::getInstance();
    LogManager& log = LogManager::getInstance();

    InputManager::getInstance().getInput();

    // Objects created by a step handler get their first step next iteration.
    const ObjectList all = world.getAllObjects();
    for (ObjectListIterator it(&all); !it.isDone(); it.next()) {
        EventStep step_event(step_count);
        it.currentObject()->eventHandler(&step_event);
    }

    world.update();
    ++step_count;

    const long before_draw = clock.split() / MICROSECONDS_PER_MILLISECOND;
    world.draw();
    const long after_draw = clock.split() / MICROSECONDS_PER_MILLISECOND;
    log.writeLog("draw time: %ld", after_draw - before_draw);

    GraphicsManager::getInstance().swapBuffers();

    const long loop_time = clock.split() / MICROSECONDS_PER_MILLISECOND;
    log.writeLog("loop time: %ld", loop_time);
    return loop_time;
}

void GameManager::run()
{
    const std::int64_t frame_us = std::int64_t(FRAME_TIME_DEFAULT) * MICROSECONDS_PER_MILLISECOND;
    while (!game_over && platform::stopSignal() == 0) {
        const std::int64_t frame_start = platform::monotonicMicroseconds();
        step();
        // A late frame is not made up for: the next one aims at 33 ms from its own start.
        platform::sleepUntil(frame_start + frame_us);
    }
    if (const int signal_number = platform::stopSignal())
        LogManager::getInstance().writeLog("Stopped by %s: the game loop ended after a whole iteration",
                                           platform::signalName(signal_number));
}

void GameManager::setGameOver(bool new_game_over)
{
    game_over = new_game_over;
}

bool GameManager::getGameOver() const
{
    return game_over;
}

int GameManager::getFrameTime() const
{
    return FRAME_TIME_DEFAULT;
}

int GameManager::getStepCount() const
{
    return step_count;
}

} // namespace zp
