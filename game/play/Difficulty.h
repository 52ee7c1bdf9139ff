// How hard the enemies come: one row per difficulty. Normal is the game as it
// always was; Casual and Veteran change the enemies' health and the lives.
// The menu chooses the difficulty of the games that follow.
#pragma once

#include <string>

enum class Difficulty { CASUAL, NORMAL, VETERAN };

struct DifficultyRow {
    Difficulty difficulty;
    // As the menu shows it: "Casual".
    const char* name;
    // As recordings and the command line write it: "casual".
    const char* key;
    // Every enemy's health is scaled by this many hundredths.
    int health_percent;
    // The lives a game starts with.
    int lives;
};

const DifficultyRow& difficultyRow(Difficulty difficulty);
// The next on the menu: Casual, Normal, Veteran, then Casual again.
Difficulty nextDifficulty(Difficulty difficulty);
// 0 and the difficulty whose key is `key`, or -1.
int difficultyFromKey(const std::string& key, Difficulty& difficulty);
// "casual, normal or veteran": the keys, for messages.
std::string difficultyKeys();
// An enemy's health at the difficulty (rounded toward zero, within the int range).
int scaledHealth(int health, Difficulty difficulty);

// The difficulty the next game is played at; Normal until chosen.
Difficulty chosenDifficulty();
void chooseDifficulty(Difficulty difficulty);
