// The controller of one level's play: loads the level, sets up the board
// (with the player's controls), sends the enemies in waves and ends play on
// "GameOver".
#pragma once

#include "hud/HudLayout.h"
#include "play/Difficulty.h"
#include "play/WavePlan.h"
#include "play/WaveSchedule.h"
#include "progress/PlayStatistics.h"
#include "turrets/TurretKinds.h"

#include "zp/Object.h"

#include <string>

// Steps from the start of play to the first wave.
const int FIRST_WAVE_DELAY = 150;
// Steps from the end of a wave to the start of the next one.
const int WAVE_DELAY = 100;
// Steps between two spawn actions of a running wave (plus the acting step).
const int SPAWN_INTERVAL = 20;

// How the latest game went, kept after its board has gone, for what a run
// reports at its end.
struct PlayResult {
    // 1 ... LEVEL_COUNT; 0 for a board read from other files, or before any game.
    int level = 0;
    // As the counters showed them when the game ended (or show them now).
    int wave = 0;
    int lives = 0;
    int currency = 0;
    // Turrets standing on the board (sold ones are gone), and the upgrade
    // levels they hold between them.
    int turrets = 0;
    int upgrades = 0;
    // The step count when the game began, and when it was over; -1 while it runs.
    int start_step = -1;
    int end_step = -1;
    // Counted from the game's events up to its end (or now, while it runs).
    PlayStatistics statistics;
    Difficulty difficulty = Difficulty::NORMAL;
};

class PlayControls;

class WavesGame : public zp::Object, public WaveSchedule {
public:
    // The board sells the kinds of the list, one panel each; the game is
    // played at the difficulty chosen when it is made.
    WavesGame(const std::string& level_file, const std::string& path_file,
              const TurretKindList& kinds = SHIPPED_TURRET_KINDS);
    ~WavesGame() override;

    // Counts the steps to the next wave, spawns and counts enemies, and ends
    // play on "GameOver"; after that every event is ignored.
    int eventHandler(const zp::Event* p_e) override;

    // The number of the wave to come: while waiting, the one the countdown
    // leads to; while a wave runs, the one after it.
    int getWave() const override;
    bool isSpawning() const override;
    bool isEnded() const override;
    // Steps left before the next wave starts; counts only while waiting.
    int getWaveCountdown() const;
    // While waiting, what the wave the countdown leads to (numbered
    // getWave()) will send; while a wave runs, what that wave sends. The
    // healths are the difficulty's.
    WavePlan getComingWave() const override;
    Difficulty getDifficulty() const;
    // While waiting, starts the next wave at once, as if the countdown had
    // just run out (also while the game is paused). False, and nothing
    // changes, while a wave runs or after play.
    bool startNextWaveNow() override;

    // The level's number, when the game knows it (startWavesGame); 0 otherwise.
    void setLevelNumber(int new_level_number);
    int getLevelNumber() const;
    // How the game has gone so far (its steps counted up to `step`).
    PlayStatistics getStatistics(int step) const;
    // Leaves play for a new menu, as a game over would but without its
    // screen: the board is cleared and the level's music stops. Nothing
    // after this is counted; the game is not over (it was saved).
    void quitToMenu();

private:
    // The counter goes up and spawning starts; the countdown is set for the
    // wait after this wave.
    void startWave();
    // The spawning and end-of-wave work of one step of a running wave.
    void updateWave();
    // Takes the plan of the wave numbered `wave` and sets its enemies to come.
    void prepareNextWave();
    void endPlay();
    // Clears the board and stops the music: the end of play, either way.
    void clearBoard();

    int wave_countdown = FIRST_WAVE_DELAY;
    int to_spawn = 0;
    int alive = 0;
    int wave = 0;
    bool spawning = false;
    int spawn_interval = SPAWN_INTERVAL;
    int spawn_countdown = SPAWN_INTERVAL;
    int easy_left = 0;
    int medium_left = 0;
    int hard_left = 0;
    // Counts and healths of the wave that runs, or of the one to come.
    WavePlan plan;
    // The healths of `plan` are scaled by it as enemies are made.
    Difficulty difficulty = Difficulty::NORMAL;
    // Set once "GameOver" has been handled: events later in that frame would
    // otherwise create enemies that outlive the game.
    bool ended = false;
    int level_number = 0;
    int start_step = 0;
    PlayStatistics statistics;
    // Made with the board; the world owns it.
    PlayControls* p_controls = nullptr;
};

// The latest game: the one under way, with its counters as they stand now,
// or the last one that ended; all zero (steps -1) before the first.
PlayResult latestPlayResult();
// Forgets every game so far (for a new run in the same program).
void forgetPlayResults();

// A controller for level 1 ... LEVEL_COUNT of the data set, in the world from
// now on (the menu's keys and the command line start levels through it).
WavesGame* startWavesGame(int level_number);
// The game under way, or nullptr.
WavesGame* currentWavesGame();
