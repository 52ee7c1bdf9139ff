#include "play/Difficulty.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>

namespace {

const int PERCENT = 100;

// In the menu's order.
const DifficultyRow DIFFICULTIES[] = {
    {Difficulty::CASUAL, "Casual", "casual", 80, 20},
    {Difficulty::NORMAL, "Normal", "normal", 100, 10},
    {Difficulty::VETERAN, "Veteran", "veteran", 120, 5},
};
const std::size_t DIFFICULTY_COUNT = sizeof DIFFICULTIES / sizeof DIFFICULTIES[0];

std::size_t indexOf(Difficulty difficulty)
{
    for (std::size_t i = 0; i < DIFFICULTY_COUNT; ++i)
        if (DIFFICULTIES[i].difficulty == difficulty)
            return i;
    return 1;
}

Difficulty chosen = Difficulty::NORMAL;

} // namespace

const DifficultyRow& difficultyRow(Difficulty difficulty)
{
    return DIFFICULTIES[indexOf(difficulty)];
}

Difficulty nextDifficulty(Difficulty difficulty)
{
    return DIFFICULTIES[(indexOf(difficulty) + 1) % DIFFICULTY_COUNT].difficulty;
}

int difficultyFromKey(const std::string& key, Difficulty& difficulty)
{
    for (const DifficultyRow& row : DIFFICULTIES) {
        if (key == row.key) {
            difficulty = row.difficulty;
            return 0;
        }
    }
    return -1;
}

std::string difficultyKeys()
{
    std::string keys;
    for (std::size_t i = 0; i < DIFFICULTY_COUNT; ++i)
        keys += (i == 0 ? "" : i + 1 == DIFFICULTY_COUNT ? " or " : ", ") + std::string(DIFFICULTIES[i].key);
    return keys;
}

int scaledHealth(int health, Difficulty difficulty)
{
    // Wide, so that no health of the int range overflows on the way.
    const std::int64_t scaled = std::int64_t(health) * difficultyRow(difficulty).health_percent / PERCENT;
    return static_cast<int>(std::clamp<std::int64_t>(scaled, INT_MIN, INT_MAX));
}

Difficulty chosenDifficulty()
{
    return chosen;
}

void chooseDifficulty(Difficulty difficulty)
{
    chosen = difficulty;
}
