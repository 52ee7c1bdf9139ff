// The controller of one level's play: loads the level, sets up the board,
// sends the enemies in waves and ends play on "GameOver".
#pragma once

#include "zp/Object.h"

#include <string>

// Steps from the start of play to the first wave.
const int FIRST_WAVE_DELAY = 150;
// Steps from the end of a wave to the start of the next one.
const int WAVE_DELAY = 100;
// Steps between two spawn actions of a running wave (plus the acting step).
const int SPAWN_INTERVAL = 20;

// The first wave; every later wave grows from it.
const int EASY_COUNT_FIRST = 1;
const int EASY_HEALTH_FIRST = 50;
const int MEDIUM_HEALTH_FIRST = 150;
const int HARD_HEALTH_FIRST = 300;

// Every second wave brings more and stronger easy enemies.
const int EASY_COUNT_STEP = 2;
const int EASY_HEALTH_STEP = 10;
// Every fifth wave adds a medium enemy and strengthens the easy ones.
const int MEDIUM_HEALTH_STEP = 25;
const int EASY_HEALTH_STEP_FIFTH = 50;
// Every tenth wave adds a hard enemy and strengthens the easy ones again.
const int HARD_HEALTH_STEP = 100;
const int EASY_HEALTH_STEP_TENTH = 100;

// Where the controller puts the counters.
const int CURRENCY_VIEW_X = 55;
const int WAVE_VIEW_X = 40;
const int LIVES_VIEW_X = 6;
const int COUNTER_ROW = 1;

class WavesGame : public zp::Object {
public:
    WavesGame(const std::string& level_file, const std::string& path_file);
    ~WavesGame() override;

    // Counts the steps to the next wave, spawns and counts enemies, and ends
    // play on "GameOver"; after that every event is ignored.
    int eventHandler(const zp::Event* p_e) override;

    // The number of the wave running, or of the next one while waiting.
    int getWave() const;
    bool isSpawning() const;
    bool isEnded() const;

private:
    // The spawning and end-of-wave work of one step of a running wave.
    void updateWave();
    void prepareNextWave();
    void endPlay();

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
    int easy_count = 0;
    int medium_count = 0;
    int hard_count = 0;
    int easy_health = 0;
    int medium_health = 0;
    int hard_health = 0;
    // Set once "GameOver" has been handled: events later in that frame would
    // otherwise create enemies that outlive the game.
    bool ended = false;
};

// A controller for level 1 ... LEVEL_COUNT of the data set, in the world from
// now on (the menu's keys and the command line start levels through it).
WavesGame* startWavesGame(int level_number);
