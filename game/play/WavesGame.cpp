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
#include "progress/PlayerProgress.h"
#include "screens/GameMenu.h"
#include "screens/GameOver.h"
#include "shop/Info.h"
#include "turrets/Turret.h"

#include "zp/Event.h"
#include "zp/EventStep.h"
#include "zp/EventView.h"
#include "zp/GameManager.h"
#include "zp/LogManager.h"
#include "zp/Music.h"
#include "zp/ObjectListIterator.h"
#include "zp/ResourceManager.h"
#include "zp/ViewObject.h"
#include "zp/WorldManager.h"

namespace {

zp::Music* levelMusic()
{
    return zp::ResourceManager::getInstance().getMusic(LEVEL_MUSIC);
}

// The game under way (nullptr when none) and the result of the latest one.
WavesGame* p_current_game = nullptr;
PlayResult latest_result;

// The counters and turrets of the board as they stand.
void readBoard(PlayResult& result)
{
    const zp::ObjectList all = zp::WorldManager::getInstance().getAllObjects();
    for (zp::ObjectListIterator it(&all); !it.isDone(); it.next()) {
        const zp::Object* p_o = it.currentObject();
        if (const auto* p_view = dynamic_cast<const zp::ViewObject*>(p_o)) {
            if (p_view->getViewString() == WAVE_TAG)
                result.wave = p_view->getValue();
            else if (p_view->getViewString() == LIVES_TAG)
                result.lives = p_view->getValue();
            else if (p_view->getViewString() == CURRENCY_TAG)
                result.currency = p_view->getValue();
        } else if (const auto* p_turret = dynamic_cast<const Turret*>(p_o)) {
            if (!p_turret->isSold()) {
                ++result.turrets;
                result.upgrades += p_turret->getUpgradeLevel();
            }
        }
    }
}

} // namespace

WavesGame::WavesGame(const std::string& level_file, const std::string& path_file, const TurretKindList& kinds)
{
    setType("WavesGame");
    setSolidness(zp::SPECTRAL);

    // A level that fails to load still starts play, on an empty board.
    LevelManager::getInstance().loadLevel(level_file, path_file);

    new Reticle;
    new CurrencyView(zp::Position(CURRENCY_VIEW_X, COUNTER_ROW));
    new WaveView(zp::Position(WAVE_VIEW_X, COUNTER_ROW));
    difficulty = chosenDifficulty();
    new LivesView(zp::Position(LIVES_VIEW_X, COUNTER_ROW), difficultyRow(difficulty).lives);
    // One buy panel per kind, down the column in the list's order.
    for (const TurretKind* p_kind : kinds)
        new Info(*p_kind);
    new Treasure;
    // Last, so that its notices and help are drawn over the board.
    p_controls = new PlayControls(*this);

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

    p_current_game = this;
    start_step = zp::GameManager::getInstance().getStepCount();
    latest_result = PlayResult();
    latest_result.start_step = start_step;
    latest_result.difficulty = difficulty;
}

WavesGame::~WavesGame()
{
    if (p_current_game == this)
        p_current_game = nullptr;
}

int WavesGame::eventHandler(const zp::Event* p_e)
{
    if (ended)
        return 0;

    statistics.count(*p_e);
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
    if (p_e->getType() == QUIT_TO_MENU_EVENT)
        quitToMenu();
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

WavePlan WavesGame::getComingWave() const
{
    WavePlan coming = plan;
    coming.easy_health = scaledHealth(plan.easy_health, difficulty);
    coming.medium_health = scaledHealth(plan.medium_health, difficulty);
    coming.hard_health = scaledHealth(plan.hard_health, difficulty);
    return coming;
}

Difficulty WavesGame::getDifficulty() const
{
    return difficulty;
}

bool WavesGame::startNextWaveNow()
{
    if (spawning || ended)
        return false;
    startWave();
    return true;
}

void WavesGame::setLevelNumber(int new_level_number)
{
    level_number = new_level_number;
    if (p_current_game == this)
        latest_result.level = level_number;
}

int WavesGame::getLevelNumber() const
{
    return level_number;
}

PlayStatistics WavesGame::getStatistics(int step) const
{
    PlayStatistics now = statistics;
    now.steps = step - start_step;
    return now;
}

void WavesGame::startWave()
{
    wave_countdown = WAVE_DELAY;
    spawning = true;
    const zp::EventView next_wave(WAVE_TAG, 1, true);
    zp::WorldManager::getInstance().onEvent(&next_wave);
    // The counter now shows `wave`.
    PlayerProgress::getInstance().waveStarted(wave);
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
            new EnemyEasy(scaledHealth(plan.easy_health, difficulty));
        } else if (medium_left > 0) {
            --medium_left;
            new EnemyMedium(scaledHealth(plan.medium_health, difficulty));
        } else if (hard_left > 0) {
            --hard_left;
            new EnemyHard(scaledHealth(plan.hard_health, difficulty));
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
    if (p_current_game == this) {
        readBoard(latest_result);
        latest_result.end_step = zp::GameManager::getInstance().getStepCount();
        latest_result.statistics = getStatistics(latest_result.end_step);
        p_current_game = nullptr;
        PlayerProgress::getInstance().gameOver(latest_result);
    }
    clearBoard();
    new GameOver;
}

void WavesGame::quitToMenu()
{
    if (ended)
        return;
    ended = true;
    if (p_current_game == this) {
        readBoard(latest_result);
        latest_result.end_step = zp::GameManager::getInstance().getStepCount();
        latest_result.statistics = getStatistics(latest_result.end_step);
        p_current_game = nullptr;
    }
    if (p_controls != nullptr)
        p_controls->leavePlay();
    clearBoard();
    new GameMenu;
}

void WavesGame::clearBoard()
{
    zp::WorldManager& world = zp::WorldManager::getInstance();
    const zp::ObjectList all = world.getAllObjects();
    for (zp::ObjectListIterator it(&all); !it.isDone(); it.next())
        world.markForDelete(it.currentObject());
    if (zp::Music* p_music = levelMusic())
        p_music->stop();
}

WavesGame* startWavesGame(int level_number)
{
    const LevelFiles& files = LEVELS[level_number - 1];
    auto* p_game = new WavesGame(gameDataPath(files.level_file), gameDataPath(files.path_file));
    p_game->setLevelNumber(level_number);
    return p_game;
}

WavesGame* currentWavesGame()
{
    return p_current_game;
}

PlayResult latestPlayResult()
{
    PlayResult result = latest_result;
    if (p_current_game != nullptr) {
        readBoard(result);
        result.statistics = p_current_game->getStatistics(zp::GameManager::getInstance().getStepCount());
    }
    return result;
}

void forgetPlayResults()
{
    latest_result = PlayResult();
}
