// An enemy walking a copy of the current level's path, one position per
// move, towards the treasure. It dies at the step after its health runs
// out; its destructor reports "EnemyKilled" and pays the reward. At the end
// of the path it costs a life at every move time.
#pragma once

#include "zp/Object.h"
#include "zp/Position.h"

#include <string>
#include <vector>

const int ENEMY_MOVE_DELAY_DEFAULT = 2;
const int ENEMY_HEALTH_DEFAULT = 100;
// Steps that a plain freeze holds an enemy (a turret's freeze may say
// otherwise); each enemy is frozen at most once.
const int FREEZE_STEPS = 20;
// Currency paid for every enemy that leaves the world.
const int KILL_REWARD = 10;
const int ENEMY_SPRITE_SLOWDOWN = 30;

// The kinds' names, easiest first, as the end of a game counts them.
inline const std::string ENEMY_EASY_NAME = "easy";
inline const std::string ENEMY_MEDIUM_NAME = "medium";
inline const std::string ENEMY_HARD_NAME = "hard";
inline const std::string ENEMY_KIND_NAMES[] = {ENEMY_EASY_NAME, ENEMY_MEDIUM_NAME, ENEMY_HARD_NAME};

class Enemy : public zp::Object {
public:
    // At the current level's enemy start, with a copy of its path.
    Enemy();
    // Sends the kill notice (with the kind, and whether the health ran
    // out) and the reward.
    ~Enemy() override;

    // The kind's name (ENEMY_KIND_NAMES); empty for a plain enemy.
    void setKindName(const std::string& name);
    const std::string& getKindName() const;

    // Sets the health and the scale of the health bar.
    void setHealth(int h);
    int getHealth() const;
    int getMaxHealth() const;
    // Steps to wait between two moves; the running countdown is kept.
    void setMoveDelay(int d);
    int getMoveDelay() const;
    // No bound: the health may go below 0; removal follows at the next step.
    void takeDamage(int amount);
    bool isFrozen() const;
    // Positions still to walk, the next first.
    const std::vector<zp::Position>& getPath() const;

    int eventHandler(const zp::Event* p_e) override;
    // The health bar above the enemy, then its sprite.
    void draw() override;

protected:
    // Looks up the kind's sprite; a missing one is logged, the enemy stays invisible.
    void useSprite(const std::string& label, const char* kind);

private:
    void step();
    // Starts the enemy's one freeze, for that many steps.
    void freeze(int steps);

    int move_delay = ENEMY_MOVE_DELAY_DEFAULT;
    int move_countdown = ENEMY_MOVE_DELAY_DEFAULT;
    int health = ENEMY_HEALTH_DEFAULT;
    int max_health = ENEMY_HEALTH_DEFAULT;
    std::vector<zp::Position> path;
    bool frozen = false;
    bool freeze_used = false;
    int freeze_countdown = FREEZE_STEPS;
    std::string kind_name;
};
