#include "play/WavesGame.h"

#include "content/DataPaths.h"
#include "content/GameEvents.h"
#include "content/Labels.h"
#include "enemies/EnemyEasy.h"
#include "enemies/EnemyHard.h"
#include "enemies/EnemyMedium.h"
#include "hud/CurrencyView.h"
#include "hud/LivesView.h"
#include "hud/WaveView.h"
#include "level/LevelFiles.h"
#include "level/LevelManager.h"
#include "play/PlayControls.h"
#include "play/Reticle.h"
#include "play/Treasure.h"
#include "screens/GameOver.h"
#include "shop/FreezeInfo.h"
#include "shop/GatlingInfo.h"
#include "shop/RocketInfo.h"

#include "zp/Event.h"
#include "zp/EventStep.h"
#include "zp/EventView.h"
#include "zp/LogManager.h"
#include "zp/Music.h"
#include "zp/ObjectListIterator.h"
#include "zp/ResourceManager.h"
#include "zp/WorldManager.h"

namespace {

zp::Music* levelMusic()
{
    return zp::ResourceManager::getInstance().getMusic(LEVEL_MUSIC);
}

} // namespace

WavesGame::WavesGame(const std::string& level_file, const std::string& path_file)
{
    setType("WavesGame");
    setSolidness(zp::SPECTRAL);

    // A level that fails to load still starts play, on an empty board.
    LevelManager::getInstance().loadLevel(level_file, path_file);

    new Reticle;
    new CurrencyView(zp::Position(CURRENCY_VIEW_X, COUNTER_ROW));
    new WaveView(zp::Position(WAVE_VIEW_X, COUNTER_ROW));
    new LivesView(zp::Position(LIVES_VIEW_X, COUNTER_ROW));
    new GatlingInfo;
    new RocketInfo;
    new FreezeInfo;
    new Treasure;
    // Last, so that its notices and help are drawn over the board.
    new PlayControls(*this);

    plan = WavePlan();
    easy_left = plan.easy_count;
    medium_left = plan.medium_count;
    hard_left = plan.hard_count;
    wave = 1;
    to_spawn = easy_left + medium_left + hard_left;
    alive = to_spawn;

    if (zp::Music* p_music = levelMusic())
        p_music->play(true);
    else
        zp::LogManager::getInstance().writeLog("WavesGame::WavesGame(): Warning! Music '%s' not found",
                                               LEVEL_MUSIC.c_str());
}

WavesGame::~WavesGame() = default;

int WavesGame::eventHandler(const zp::Event* p_e)
{
    if (ended)
        return 0;

    if (p_e->getType() == zp::STEP_EVENT) {
        if (!spawning) {
            if (--wave_countdown == 0)
                startWave();
        } else {
            updateWave();
        }
    }
    if (p_e->getType() == ENEMY_KILLED_EVENT)
        --alive;
    if (p_e->getType() == GAME_OVER_EVENT)
        endPlay();
    return 0;
}

int WavesGame::getWave() const
{
    return wave;
}

bool WavesGame::isSpawning() const
{
    return spawning;
}

bool WavesGame::isEnded() const
{
    return ended;
}

int WavesGame::getWaveCountdown() const
{
    return wave_countdown;
}

const WavePlan& WavesGame::getComingWave() const
{
    return plan;
}

bool WavesGame::startNextWaveNow()
{
    if (spawning || ended)
        return false;
    startWave();
    return true;
}

void WavesGame::startWave()
{
    wave_countdown = WAVE_DELAY;
    spawning = true;
    const zp::EventView next_wave(WAVE_TAG, 1, true);
    zp::WorldManager::getInstance().onEvent(&next_wave);
    ++wave;
}

void WavesGame::updateWave()
{
    if (--spawn_countdown >= 0)
        return;
    spawn_countdown = spawn_interval;

    if (to_spawn > 0) {
        if (easy_left > 0) {
            --easy_left;
            new EnemyEasy(plan.easy_health);
        } else if (medium_left > 0) {
            --medium_left;
            new EnemyMedium(plan.medium_health);
        } else if (hard_left > 0) {
            --hard_left;
            new EnemyHard(plan.hard_health);
        }
        --to_spawn;
        return;
    }

    // Every enemy of the wave has been created and destroyed.
    if (to_spawn == alive)
        prepareNextWave();
}

void WavesGame::prepareNextWave()
{
    spawning = false;
    // `wave` already holds the number of the wave to come.
    plan = planOfWave(plan, wave);
    easy_left = plan.easy_count;
    medium_left = plan.medium_count;
    hard_left = plan.hard_count;
    to_spawn = easy_left + medium_left + hard_left;
    alive = to_spawn;
}

void WavesGame::endPlay()
{
    ended = true;
    zp::WorldManager& world = zp::WorldManager::getInstance();
    const zp::ObjectList all = world.getAllObjects();
    for (zp::ObjectListIterator it(&all); !it.isDone(); it.next())
        world.markForDelete(it.currentObject());
    if (zp::Music* p_music = levelMusic())
        p_music->stop();
    new GameOver;
}

WavesGame* startWavesGame(int level_number)
{
    const LevelFiles& files = LEVELS[level_number - 1];
    return new WavesGame(gameDataPath(files.level_file), gameDataPath(files.path_file));
}
