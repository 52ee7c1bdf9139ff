#include "zp/GameManager.h"

#include "LoopThread.h"

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

#include <algorithm>
#include <random>
#include <utility>

namespace zp {
namespace {

constexpr long MICROSECONDS_PER_MILLISECOND = 1000;
constexpr std::int64_t MICROSECONDS_PER_SECOND = 1000000;

// The last work before the program ends on a lost display.
void finishBeforeExit()
{
    InputManager::getInstance().finishRecording();
}

} // namespace

GameManager::GameManager()
{
    setType("GameManager");
    // The system's entropy and the clock: every run its own numbers. A
    // system without an entropy source still has the clock.
    std::uint64_t seed = std::uint64_t(platform::monotonicMicroseconds());
    try {
        std::random_device entropy;
        seed ^= (std::uint64_t(entropy()) << 32) ^ std::uint64_t(entropy());
    } catch (...) {
    }
    random.setState(seed);
}

GameManager& GameManager::getInstance()
{
    static GameManager instance;
    return instance;
}

int GameManager::startUp()
{
    // From here on SIGINT, SIGTERM and SIGHUP end the loop between two
    // iterations, and a lost display is reported in the engine's own words.
    platform::guardStandardStreams();
    platform::installStopSignals();
    platform::watchDisplayConnection(finishBeforeExit);

    Manager* const managers[] = {
        &LogManager::getInstance(),   &WorldManager::getInstance(),    &GraphicsManager::getInstance(),
        &InputManager::getInstance(), &ResourceManager::getInstance(),
    };
    for (Manager* p_manager : managers)
        if (p_manager->startUp() != 0)
            return -1;

    game_over = false;
    paused = false;
    steps_per_frame = 1;
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
    // A music still streaming when the program ends would go on using the
    // audio library while its static objects are destroyed.
    ResourceManager::getInstance().stopAllMusic();
    Manager::shutDown();
}

void GameManager::worldStep()
{
    ZP_LOOP_THREAD_ONLY("GameManager::worldStep");
    const std::int64_t start_us = platform::monotonicMicroseconds();
    WorldManager& world = WorldManager::getInstance();

    // Objects created by a step handler get their first step next time.
    const ObjectList all = world.getAllObjects();
    for (ObjectListIterator it(&all); !it.isDone(); it.next()) {
        EventStep step_event(step_count);
        it.currentObject()->eventHandler(&step_event);
    }
    world.sendTimerEvents(step_count);
    world.update();
    ++step_count;

    const std::int64_t end_us = platform::monotonicMicroseconds();
    last_step_us = end_us - start_us;
    recent_step_ends.push_back(end_us);
    while (recent_step_ends.front() <= end_us - MICROSECONDS_PER_SECOND)
        recent_step_ends.pop_front();
}

long GameManager::frame()
{
    ZP_LOOP_THREAD_ONLY("GameManager::frame");
    Clock clock;
    WorldManager& world = WorldManager::getInstance();
    LogManager& log = LogManager::getInstance();

    InputManager::getInstance().getInput();

    // The speed is taken once, so the input's effects start with the next frame.
    // A game over (from the input or a step) or a stop signal lets the step
    // under way, and the frame's first step, complete as at the normal speed;
    // no more follow.
    const int steps_wanted = steps_per_frame;
    int steps_run = 0;
    while (steps_run < steps_wanted && !paused &&
           !((game_over || platform::stopSignal() != 0) && steps_run > 0) &&
           (step_limit == NO_STEP_LIMIT || step_count < step_limit)) {
        worldStep();
        ++steps_run;
    }

    const long before_draw = clock.split() / MICROSECONDS_PER_MILLISECOND;
    if (!fast_forward)
        world.draw(steps_run);
    const long after_draw = clock.split() / MICROSECONDS_PER_MILLISECOND;
    log.writeLog(log.getTimingLevel(), "draw time: %ld", after_draw - before_draw);

    if (!fast_forward)
        GraphicsManager::getInstance().swapBuffers();

    const long loop_time = clock.split() / MICROSECONDS_PER_MILLISECOND;
    log.writeLog(log.getTimingLevel(), "loop time: %ld", loop_time);
    return loop_time;
}

void GameManager::run()
{
    ZP_LOOP_THREAD_ONLY("GameManager::run");
    const std::int64_t frame_us = std::int64_t(FRAME_TIME_DEFAULT) * MICROSECONDS_PER_MILLISECOND;
    while (!game_over && platform::stopSignal() == 0) {
        const std::int64_t frame_start = platform::monotonicMicroseconds();
        frame();
        if (after_frame)
            after_frame();
        // A late frame is not made up for: the next one aims at 33 ms from its own start.
        if (paced && !fast_forward)
            platform::sleepUntil(frame_start + frame_us);
    }
    if (const int signal_number = platform::stopSignal())
        LogManager::getInstance().writeLog("Stopped by %s: the game loop ended after a whole iteration",
                                           platform::signalName(signal_number));
}

void GameManager::setAfterFrame(std::function<void()> new_after_frame)
{
    after_frame = std::move(new_after_frame);
}

int GameManager::getStopSignal() const
{
    return platform::stopSignal();
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

void GameManager::setPaused(bool new_paused)
{
    paused = new_paused;
}

bool GameManager::isPaused() const
{
    return paused;
}

int GameManager::setStepsPerFrame(int new_steps_per_frame)
{
    if (new_steps_per_frame < 1 || new_steps_per_frame > MAX_STEPS_PER_FRAME)
        return -1;
    steps_per_frame = new_steps_per_frame;
    return 0;
}

int GameManager::getStepsPerFrame() const
{
    return steps_per_frame;
}

void GameManager::setPaced(bool new_paced)
{
    paced = new_paced;
}

bool GameManager::isPaced() const
{
    return paced;
}

void GameManager::setFastForward(bool new_fast_forward)
{
    fast_forward = new_fast_forward;
}

bool GameManager::isFastForward() const
{
    return fast_forward;
}

void GameManager::setStepLimit(int new_step_limit)
{
    step_limit = new_step_limit < 0 ? NO_STEP_LIMIT : new_step_limit;
}

int GameManager::getStepLimit() const
{
    return step_limit;
}

void GameManager::setHeadless(bool new_headless)
{
    GraphicsManager::getInstance().setHeadless(new_headless);
    ResourceManager::getInstance().setSilent(new_headless);
    paced = !new_headless;
}

Random& GameManager::getRandom()
{
    ZP_LOOP_THREAD_ONLY("GameManager::getRandom");
    return random;
}

std::int64_t GameManager::getLastStepTime() const
{
    return last_step_us;
}

int GameManager::getStepsPerSecond() const
{
    // The list is in time order: count the ends newer than a second ago.
    const std::int64_t second_ago = platform::monotonicMicroseconds() - MICROSECONDS_PER_SECOND;
    const auto first_recent = std::upper_bound(recent_step_ends.begin(), recent_step_ends.end(), second_ago);
    return static_cast<int>(recent_step_ends.end() - first_recent);
}

} // namespace zp
