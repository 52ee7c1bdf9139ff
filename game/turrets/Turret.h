// A defence placed by the player. Every step it aims at the oldest enemy
// within its range and fires when its countdown allows; with no enemy in
// range it turns slowly on its own.
#pragma once

#include "zp/Object.h"

#include <string>

class Enemy;
struct TurretKind;

const int TURRET_RANGE_DEFAULT = 20;
const int TURRET_DAMAGE_DEFAULT = 20;
const int TURRET_FIRE_RATE_DEFAULT = 2;
// Draws per frame of the idle turn.
const int TURRET_IDLE_SLOWDOWN = 30;

class Turret : public zp::Object {
public:
    Turret();
    ~Turret() override;

    // Largest scaled distance at which an enemy is a target.
    void setRange(int new_range);
    int getRange() const;
    void setDamage(int new_damage);
    int getDamage() const;
    // Steps between two shots.
    void setFireRate(int new_fire_rate);
    int getFireRate() const;
    int getFireCountdown() const;

    int eventHandler(const zp::Event* p_e) override;
    // One step: aims at the oldest enemy in range and fires when ready;
    // with none in range, turns idly.
    void updateTargeting();
    // Takes health from the target and starts the countdown to the next shot.
    virtual void fire(Enemy* p_target);

protected:
    // Takes the kind's type, sprite (a missing one is logged), range, damage
    // and fire rate, in that order.
    void becomeKind(const TurretKind& kind);
    // Plays the kind's sound once; a missing one is logged and skipped.
    void playKindSound(const TurretKind& kind) const;

private:
    int range = TURRET_RANGE_DEFAULT;
    int damage = TURRET_DAMAGE_DEFAULT;
    int fire_rate = TURRET_FIRE_RATE_DEFAULT;
    int fire_countdown = TURRET_FIRE_RATE_DEFAULT;
};
