// How a turret picks its target among the enemies in its range. The first
// mode is the game's own: the enemy that entered the world earliest. Every
// other mode breaks its ties by that rule.
#pragma once

#include "zp/Position.h"

#include <vector>

class Enemy;

enum class TargetMode {
    // The enemy in range that entered the world earliest.
    FIRST,
    // The nearest, by the scaled distance that ranges use.
    CLOSEST,
    // The most health left.
    STRONGEST,
    // The least health left.
    WEAKEST,
    // The furthest along the track: the fewest path positions still to walk.
    FURTHEST,
};

// Short names ("first", "closest", ...), as recordings' digests and the
// board show them.
const char* targetModeName(TargetMode mode);
// The letter shown beside a turret: F, C, S, W, E (nearest the track's end).
char targetModeLetter(TargetMode mode);
// The mode after `mode`, and FIRST after the last.
TargetMode nextTargetMode(TargetMode mode);

// The target for a turret at `from` among the enemies in range, listed in the
// world's order (the earliest first); null when there are none.
Enemy* pickTarget(const std::vector<Enemy*>& in_range, zp::Position from, TargetMode mode);
