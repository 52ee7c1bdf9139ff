// A long game of level 1, played without a window as fast as the machine
// allows: Gatlings bought and placed along the track as a player would (a
// click on the panel, a click on the board) whenever the purse allows. Every
// few hundred steps it samples the resident memory and the world's object
// count, then prints the figures and fails when, after warm-up, memory keeps
// growing beyond noise, the world grows without bound, or the log holds a
// line that a healthy game does not write.
//
// Usage, from the build folder (GameData beside it), or from any folder with
// the data set named (the log is written to the working folder):
//   ./cinderwatch_soak [waves, default 30] [data folder]
#include "app/WorldLookup.h"
#include "content/DataPaths.h"
#include "content/GameEvents.h"
#include "content/Resources.h"
#include "level/Level.h"
#include "level/LevelManager.h"
#include "play/WavesGame.h"
#include "shop/Build.h"
#include "shop/Info.h"
#include "turrets/Turret.h"
#include "turrets/TurretKinds.h"

#include "zp/EventMouse.h"
#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/LogManager.h"
#include "zp/ObjectList.h"
#include "zp/ObjectListIterator.h"
#include "zp/ResourceManager.h"
#include "zp/Utility.h"
#include "zp/WorldManager.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <psapi.h>
#else
#include <unistd.h>
#endif

namespace {

const int SAMPLE_EVERY_STEPS = 300;
// Memory is measured from the end of the first third of the waves on, and
// never before this wave: by then every kind of object, sprite, sound and
// music has been made at least once. The waves grow, and with them the
// world's busiest moments, so the memory they take settles later than the
// kinds do (50 waves show it: +1.25 MB per 10,000 steps over waves 6 to 30,
// +0.4 MB over waves 6 to 50); a leak keeps its pace to the end.
const int WARM_UP_WAVES = 5;
const int WARM_UP_SHARE = 3;
// Growth after warm-up that counts as noise: allocator pages and the like.
const double MEMORY_NOISE_KB = 2048;
// A healthy game of one level never holds more than this (the world takes 4,999).
const int OBJECT_BOUND = 1000;
// Steps between two purchase attempts, as a player's clicks would come.
const int CLICK_EVERY_STEPS = 15;
// A run that ends neither way within this many steps is stuck.
const long STEP_LIMIT = 2000000;

struct Sample {
    long step;
    int wave;
    int lives;
    int currency;
    int objects;
    int turrets;
    long rss_kb;
};

// Windows calls it the working set.
long residentKilobytes()
{
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return long(counters.WorkingSetSize / 1024);
#else
    std::ifstream statm("/proc/self/statm");
    long pages_total = 0;
    long pages_resident = 0;
    statm >> pages_total >> pages_resident;
    return pages_resident * (sysconf(_SC_PAGESIZE) / 1024);
#endif
}

void mouse(zp::MouseAction action, zp::Position cell)
{
    zp::EventMouse event;
    event.setMouseAction(action);
    event.setMouseButton(0);
    event.setMousePosition(cell);
    zp::WorldManager::getInstance().onEvent(&event);
}

// The pointer moves to the cell, then the left button clicks there: the
// cursor being placed follows the pointer.
void click(zp::Position cell)
{
    mouse(zp::MOVED, cell);
    mouse(zp::CLICKED, cell);
}

// Every cell of the board as a place, those that see most of the track
// (points of the path within a Gatling's range) first. Places on the track
// or off the field are refused by the game and cost nothing.
std::vector<zp::Position> placesAlongTheTrack()
{
    std::vector<zp::Position> places;
    const Level* p_level = LevelManager::getInstance().getLevel();
    if (p_level == nullptr)
        return places;
    const std::vector<zp::Position>& path = p_level->getPath();
    const zp::Box board = zp::WorldManager::getInstance().getBoundary();
    std::vector<std::pair<int, zp::Position>> seen_track;
    for (int y = 0; y < board.getVertical(); ++y)
        for (int x = 0; x < board.getHorizontal(); ++x) {
            const zp::Position place(x, y);
            int points = 0;
            for (const zp::Position& point : path)
                points += zp::scaledDistance(place, point) <= GATLING_KIND.base.range ? 1 : 0;
            if (points > 0)
                seen_track.push_back({points, place});
        }
    std::stable_sort(seen_track.begin(), seen_track.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [points, place] : seen_track)
        places.push_back(place);
    return places;
}

bool enemyInTheWay(const Build* p_build, zp::Position place)
{
    const zp::ObjectList in_the_way = zp::WorldManager::getInstance().getCollisions(p_build, place);
    for (zp::ObjectListIterator it(&in_the_way); !it.isDone(); it.next())
        if (it.currentObject()->getType() == ENEMY_TYPE)
            return true;
    return false;
}

bool blockedForGood(const Build* p_build, zp::Position place)
{
    if (!p_build->fitsPlayingField(place))
        return true;
    const zp::ObjectList in_the_way = zp::WorldManager::getInstance().getCollisions(p_build, place);
    for (zp::ObjectListIterator it(&in_the_way); !it.isDone(); it.next())
        if (it.currentObject()->getType() != ENEMY_TYPE)
            return true;
    return false;
}

// The player's hand: buy at the panel when the purse allows, then try the
// next place along the track until the cursor is taken.
class Player {
public:
    void act()
    {
        if (!objectsOf<Build>().empty()) {
            // As a player looks at the cursor before clicking: places where
            // the track, a turret or the edge stands in the way are passed
            // over; where an enemy walks by, the player waits for it.
            Build* p_build = objectsOf<Build>().front();
            while (next_place < places.size() && blockedForGood(p_build, places[next_place]))
                ++next_place;
            if (next_place < places.size() && !enemyInTheWay(p_build, places[next_place]))
                click(places[next_place++]);
            return;
        }
        for (const Info* p_panel : objectsOf<Info>())
            if (&p_panel->getKind() == &GATLING_KIND && next_place < places.size() &&
                counterValue(CURRENCY_TAG) >= GATLING_KIND.price) {
                click(p_panel->getPosition());
                break;
            }
    }

    std::vector<zp::Position> places = placesAlongTheTrack();
    size_t next_place = 0;
};

// Least-squares slope of memory against steps, in kilobytes per 10,000 steps.
double memorySlope(const std::vector<Sample>& samples)
{
    if (samples.size() < 2)
        return 0;
    double mean_x = 0;
    double mean_y = 0;
    for (const Sample& s : samples) {
        mean_x += double(s.step);
        mean_y += double(s.rss_kb);
    }
    mean_x /= double(samples.size());
    mean_y /= double(samples.size());
    double covariance = 0;
    double variance = 0;
    for (const Sample& s : samples) {
        covariance += (double(s.step) - mean_x) * (double(s.rss_kb) - mean_y);
        variance += (double(s.step) - mean_x) * (double(s.step) - mean_x);
    }
    return variance > 0 ? covariance / variance * 10000 : 0;
}

// Log lines a healthy game writes, numbers taken out.
const char* const HEALTHY_LINES[] = {
    "loop time: #",
    "draw time: #",
};

std::string shapeOf(const std::string& line)
{
    return std::regex_replace(line, std::regex("-?[0-9]+"), "#");
}

// Lines of the log (and its rotated part) that a healthy game does not write.
std::vector<std::string> unexpectedLogLines()
{
    std::vector<std::string> unexpected;
    const std::string log = zp::LogManager::getInstance().getLogFile();
    for (const std::string& file : {log + ".1", log}) {
        std::ifstream in(file);
        for (std::string line; std::getline(in, line);) {
            const std::string shape = shapeOf(line.substr(line.find(": ") + 2));
            bool healthy = false;
            for (const char* known : HEALTHY_LINES)
                healthy = healthy || shape == known;
            if (!healthy && std::find(unexpected.begin(), unexpected.end(), line) == unexpected.end())
                unexpected.push_back(line);
        }
    }
    return unexpected;
}

} // namespace

int main(int argc, char** argv)
{
    const int target_wave = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    if (argc > 2)
        setGameDataDir(argv[2]);
    // No sound card needed: the audio library plays into its silent backend.
    if (std::getenv("ALSOFT_DRIVERS") == nullptr)
        zp::ResourceManager::getInstance().setSilent(true);

    zp::GraphicsManager::getInstance().setHeadless(true);
    zp::GameManager& game = zp::GameManager::getInstance();
    if (game.startUp() != 0) {
        std::fprintf(stderr, "soak: the engine did not start (see zephane.log)\n");
        return 1;
    }
    loadResources();
    WavesGame* p_waves = startWavesGame(1);
    if (p_waves == nullptr) {
        std::fprintf(stderr, "soak: level 1 did not start\n");
        game.shutDown();
        return 1;
    }
    Player player;
    std::printf("soak: level 1 to wave %d, %zu places along the track\n", target_wave, player.places.size());
    std::printf("%8s %5s %5s %8s %7s %7s %8s\n", "step", "wave", "lives", "currency", "objects", "turrets",
                "rss KB");

    std::vector<Sample> samples;
    const auto start = std::chrono::steady_clock::now();
    long step = 0;
    int wave = 0;
    int reached = 0;
    bool lost = false;
    while (step < STEP_LIMIT) {
        if (step % CLICK_EVERY_STEPS == 0)
            player.act();
        game.frame();
        ++step;
        wave = counterValue(WAVE_TAG);
        reached = std::max(reached, wave);
        if (wave < 0) { // the counters are gone: the level was lost
            lost = true;
            break;
        }
        if (step % SAMPLE_EVERY_STEPS == 0 || wave > target_wave) {
            const Sample s{step,
                           wave,
                           counterValue(LIVES_TAG),
                           counterValue(CURRENCY_TAG),
                           zp::WorldManager::getInstance().getAllObjects().getCount(),
                           int(objectsOf<Turret>().size()),
                           residentKilobytes()};
            samples.push_back(s);
            if (samples.size() % 10 == 1 || wave > target_wave)
                std::printf("%8ld %5d %5d %8d %7d %7d %8ld\n", s.step, s.wave, s.lives, s.currency, s.objects,
                            s.turrets, s.rss_kb);
        }
        if (wave > target_wave)
            break;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    game.shutDown();

    const int warm_up_waves = std::max(WARM_UP_WAVES, target_wave / WARM_UP_SHARE);
    std::vector<Sample> after_warm_up;
    int most_objects = 0;
    for (const Sample& s : samples) {
        most_objects = std::max(most_objects, s.objects);
        if (s.wave > warm_up_waves)
            after_warm_up.push_back(s);
    }
    const double slope = memorySlope(after_warm_up);
    const long first_kb = after_warm_up.empty() ? 0 : after_warm_up.front().rss_kb;
    const long last_kb = after_warm_up.empty() ? 0 : after_warm_up.back().rss_kb;
    const long steps_after =
        after_warm_up.size() < 2 ? 0 : after_warm_up.back().step - after_warm_up.front().step;
    const double trend_kb = slope * double(steps_after) / 10000;

    std::printf("\n%ld steps in %.1f s (%.0f steps per second), reached wave %d%s\n", step, seconds,
                double(step) / seconds, reached, lost ? " (then lost)" : "");
    std::printf("memory after wave %d: %ld KB, at the end %ld KB; trend %+.0f KB per 10,000 steps, "
                "%+.0f KB over the %ld steps (noise allowed: %.0f KB)\n",
                warm_up_waves, first_kb, last_kb, slope, trend_kb, steps_after, MEMORY_NOISE_KB);
    std::printf("most objects in the world: %d (bound %d)\n", most_objects, OBJECT_BOUND);

    const std::vector<std::string> unexpected = unexpectedLogLines();
    std::printf("log lines a healthy game does not write: %zu\n", unexpected.size());
    for (size_t i = 0; i < unexpected.size() && i < 20; ++i)
        std::printf("  %s\n", unexpected[i].c_str());

    bool ok = true;
    if (lost || wave <= target_wave) {
        std::printf("FAIL: wave %d not passed\n", target_wave);
        ok = false;
    }
    if (trend_kb > MEMORY_NOISE_KB) {
        std::printf("FAIL: memory grows after warm-up\n");
        ok = false;
    }
    if (most_objects > OBJECT_BOUND) {
        std::printf("FAIL: the world grows without bound\n");
        ok = false;
    }
    if (!unexpected.empty()) {
        std::printf("FAIL: the log holds lines a healthy game does not write\n");
        ok = false;
    }
    std::printf("%s\n", ok ? "soak: ok" : "soak: FAILED");
    return ok ? 0 : 1;
}
