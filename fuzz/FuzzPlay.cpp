#include "FuzzPlay.h"

#include "FuzzInput.h"
#include "app/WorldLookup.h"
#include "content/DataPaths.h"
#include "content/GameEvents.h"
#include "level/Level.h"
#include "level/LevelManager.h"
#include "shop/Build.h"
#include "shop/Info.h"
#include "turrets/Turret.h"

#include "zp/EventMouse.h"
#include "zp/EventView.h"
#include "zp/GameManager.h"
#include "zp/LogManager.h"
#include "zp/ResourceManager.h"
#include "zp/WorldManager.h"

#include <SFML/Window/Mouse.hpp>

#include <cstdlib>
#include <string>
#include <vector>

namespace zp::fuzz {
namespace {

const int FRAMES_PER_ACTION = 10;
// Steps per frame: the first waves come and walk the path within the frames played.
const int PLAY_SPEED = 4;
const int PURSE_TOP_UP = 1000;
// Every this many actions, a turret is sold rather than bought.
const int SELL_EVERY_ACTIONS = 7;
// Places looked at beside a path point, nearest first: the cursor's corner
// this far from it. The first the game would take is clicked (or the last,
// to be refused).
const Position PLACE_OFFSETS[] = {Position(2, -3), Position(-4, 2),  Position(3, 2),  Position(-3, -4),
                                  Position(5, -1), Position(-6, -1), Position(-1, 4), Position(-1, -6),
                                  Position(6, 5),  Position(-8, 5),  Position(6, -7), Position(-8, -7)};

void mouse(MouseAction action, Position cell, int button = sf::Mouse::Left)
{
    EventMouse event;
    event.setMouseAction(action);
    event.setMouseButton(button);
    event.setMousePosition(cell);
    WorldManager::getInstance().onEvent(&event);
}

// The player's hand: the next kind at the next panel, the next place along
// the path, or a sale.
class Player {
public:
    void act()
    {
        ++actions;
        const std::vector<Turret*> turrets = objectsOf<Turret>();
        if (actions % SELL_EVERY_ACTIONS == 0 && !turrets.empty()) {
            mouse(CLICKED, turrets.front()->getPosition(), sf::Mouse::Right);
            return;
        }
        const std::vector<Build*> cursors = objectsOf<Build>();
        if (!cursors.empty()) {
            const Position place = nextPlace(cursors.front());
            mouse(MOVED, place);
            mouse(CLICKED, place);
            return;
        }
        const std::vector<Info*> panels = objectsOf<Info>();
        if (panels.empty())
            return;
        const EventView top_up(CURRENCY_TAG, PURSE_TOP_UP, true);
        WorldManager::getInstance().onEvent(&top_up);
        mouse(CLICKED, panels[std::size_t(actions) % panels.size()]->getPosition());
    }

private:
    Position nextPlace(const Build* p_cursor)
    {
        ++places;
        const Level* p_level = LevelManager::getInstance().getLevel();
        if (p_level == nullptr || p_level->getPath().empty())
            return Position(places % 60, 3 + places % 20);
        const std::vector<Position>& path = p_level->getPath();
        const Position point = path[std::size_t(places) % path.size()];
        Position place;
        for (const Position& offset : PLACE_OFFSETS) {
            // Far-away points stay far away: the game must refuse them itself.
            place =
                Position(int(long(point.getX()) + offset.getX()), int(long(point.getY()) + offset.getY()));
            if (p_cursor->fitsPlayingField(place) &&
                WorldManager::getInstance().getCollisions(p_cursor, place).isEmpty())
                break;
        }
        return place;
    }

    int actions = 0;
    int places = 0;
};

} // namespace

void startGameEngine()
{
    static bool started = false;
    if (started)
        return;
    started = true;
    setenv("ALSOFT_DRIVERS", "null", 0);
    LogManager::getInstance().setLogFile(inputPath("zephane.log"));
    GameManager& game = GameManager::getInstance();
    game.setHeadless(true);
    if (game.startUp() != 0)
        std::abort();
    setGameDataDir(ZP_SOURCE_DIR "/GameData");
}

void playWithTurrets(int frames)
{
    GameManager& game = GameManager::getInstance();
    game.setStepsPerFrame(PLAY_SPEED);
    Player player;
    for (int frame = 0; frame < frames && !game.getGameOver(); ++frame) {
        if (frame % FRAMES_PER_ACTION == 0)
            player.act();
        game.frame();
    }
}

void endPlay()
{
    WorldManager& world = WorldManager::getInstance();
    world.shutDown();
    world.startUp();
    LevelManager::getInstance().shutDown();
    ResourceManager::getInstance().stopAllMusic();
    GameManager& game = GameManager::getInstance();
    game.setGameOver(false);
    game.setPaused(false);
    game.setStepsPerFrame(1);
    game.setStepLimit(NO_STEP_LIMIT);
}

} // namespace zp::fuzz
