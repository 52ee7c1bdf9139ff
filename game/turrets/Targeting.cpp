#include "turrets/Targeting.h"

#include "enemies/Enemy.h"

#include "zp/Utility.h"

#include <cstddef>

namespace {

struct TargetModeRow {
    TargetMode mode;
    const char* name;
    char letter;
};

// In the order the targeting key goes through them.
const TargetModeRow TARGET_MODES[] = {
    {TargetMode::FIRST, "first", 'F'},         {TargetMode::CLOSEST, "closest", 'C'},
    {TargetMode::STRONGEST, "strongest", 'S'}, {TargetMode::WEAKEST, "weakest", 'W'},
    {TargetMode::FURTHEST, "furthest", 'E'},
};
const std::size_t MODE_COUNT = sizeof TARGET_MODES / sizeof TARGET_MODES[0];

std::size_t rowOf(TargetMode mode)
{
    for (std::size_t i = 0; i < MODE_COUNT; ++i)
        if (TARGET_MODES[i].mode == mode)
            return i;
    return 0;
}

// What the mode looks for, as a number to make smallest.
long long rank(const Enemy& enemy, zp::Position from, TargetMode mode)
{
    switch (mode) {
    case TargetMode::FIRST:
        return 0;
    case TargetMode::CLOSEST:
        return zp::scaledDistance(from, enemy.getPosition());
    case TargetMode::STRONGEST:
        return -static_cast<long long>(enemy.getHealth());
    case TargetMode::WEAKEST:
        return enemy.getHealth();
    case TargetMode::FURTHEST:
        return static_cast<long long>(enemy.getPath().size());
    }
    return 0;
}

} // namespace

const char* targetModeName(TargetMode mode)
{
    return TARGET_MODES[rowOf(mode)].name;
}

char targetModeLetter(TargetMode mode)
{
    return TARGET_MODES[rowOf(mode)].letter;
}

TargetMode nextTargetMode(TargetMode mode)
{
    return TARGET_MODES[(rowOf(mode) + 1) % MODE_COUNT].mode;
}

Enemy* pickTarget(const std::vector<Enemy*>& in_range, zp::Position from, TargetMode mode)
{
    // Strictly better only: of equals, the earliest in the list stays.
    Enemy* p_best = nullptr;
    long long best_rank = 0;
    for (Enemy* p_enemy : in_range) {
        const long long enemy_rank = rank(*p_enemy, from, mode);
        if (p_best == nullptr || enemy_rank < best_rank) {
            p_best = p_enemy;
            best_rank = enemy_rank;
        }
    }
    return p_best;
}
