// How a game went, counted from the game's own events while it runs: the
// enemies destroyed, the turrets built and sold (each by kind), the currency
// earned and spent, the lives lost and the steps played. The game-over
// screen shows it; the best results keep a part of it.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace zp {
class Event;
}

struct PlayStatistics {
    // By the enemy kind's name ("easy") and the turret's type ("Gatling").
    std::map<std::string, int> enemies_destroyed;
    std::map<std::string, int> turrets_built;
    std::map<std::string, int> turrets_sold;
    // Every rise of the currency (rewards and sales), every fall (purchases).
    int currency_earned = 0;
    int currency_spent = 0;
    int lives_lost = 0;
    // World steps from the start of play to its end: the time at the normal speed.
    int steps = 0;

    // Counts one event of the game: "EnemyKilled" when the enemy's health ran
    // out, "TurretBuilt", "TurretSold", and the changes of the currency and
    // lives counters. Others change nothing.
    void count(const zp::Event& event);
    int enemiesDestroyed() const;
    bool operator==(const PlayStatistics& other) const;
};

// Steps as the time they take at the normal speed: "12:05" (minutes and
// seconds), "1:02:03" from an hour on.
std::string playTimeText(int steps);
// The lines of the game-over screen, for the wave reached and these
// statistics: the kinds in the game's order, only those that occurred.
std::vector<std::string> statisticsLines(int wave, const PlayStatistics& statistics);
