// What a wave sends: how many enemies of each kind, and the health each new
// enemy of the kind is given. Each wave's plan grows from the one before it;
// the level controller spawns from it and the wave preview shows it.
#pragma once

#include <string>

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

struct WavePlan {
    int easy_count = EASY_COUNT_FIRST;
    int medium_count = 0;
    int hard_count = 0;
    int easy_health = EASY_HEALTH_FIRST;
    int medium_health = MEDIUM_HEALTH_FIRST;
    int hard_health = HARD_HEALTH_FIRST;

    int enemyCount() const;
    bool operator==(const WavePlan& other) const;
};

// The plan of the wave numbered `wave` (as the wave counter will show it),
// grown from the plan of the wave before. The first wave's plan is WavePlan().
WavePlan planOfWave(const WavePlan& previous, int wave);

// One line for the board: the wave's number, then each kind it brings with
// its count and health, e.g. "Next wave 5: 5 easy 120hp, 1 medium 175hp".
std::string wavePreviewText(int wave, const WavePlan& plan);
