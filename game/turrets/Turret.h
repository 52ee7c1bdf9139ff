// A defence placed by the player, of the kind whose row it reads. Every step
// it aims at an enemy within its range, picked by its targeting mode (the
// oldest at first), and fires when its countdown allows; with no enemy in
// range it turns slowly on its own. Its kind's upgrade levels can be bought
// for it, one after the other. A right click on it sells it back for half of
// everything spent on it.
#pragma once

#include "turrets/Targeting.h"
#include "turrets/TurretKinds.h"

#include "zp/Object.h"
#include "zp/Position.h"

#include <string>

class Enemy;

const int TURRET_RANGE_DEFAULT = 20;
const int TURRET_DAMAGE_DEFAULT = 20;
const int TURRET_FIRE_RATE_DEFAULT = 2;
// Draws per frame of the idle turn.
const int TURRET_IDLE_SLOWDOWN = 30;
// A sold turret gives back its price divided by this.
const int SELL_REFUND_DIVISOR = 2;

class Turret : public zp::Object {
public:
    // A turret of no kind: the base numbers, no sprite, no sound.
    Turret();
    // A turret of the kind at p: the kind's type, sprite (a missing one is
    // logged), numbers and price.
    Turret(const TurretKind& kind, zp::Position p);
    ~Turret() override;

    // The row the turret was made from; null for a turret of no kind.
    const TurretKind* getKind() const;

    // Largest scaled distance at which an enemy is a target.
    void setRange(int new_range);
    int getRange() const;
    void setDamage(int new_damage);
    int getDamage() const;
    // Steps between two shots.
    void setFireRate(int new_fire_rate);
    int getFireRate() const;
    int getFireCountdown() const;
    // Steps that a shot freezes its target for; 0 for none.
    void setFreezeSteps(int new_freeze_steps);
    int getFreezeSteps() const;
    // What the turret cost to place.
    void setPrice(int new_price);
    int getPrice() const;
    // The levels bought above the base, 0 to TURRET_UPGRADE_LEVELS.
    int getUpgradeLevel() const;
    // The level that U would buy next; null at the top, or for a turret of no kind.
    const TurretUpgrade* nextUpgrade() const;
    // Buys the next level through the currency counter (a "Currency:" view
    // event of minus its cost) and takes its numbers. Refused, with nothing
    // changed, like a purchase at a panel that the currency does not cover:
    // at the top level, with too little currency (or no counter), for a sold
    // turret and while the game is paused. True when bought.
    bool upgrade();
    // The price and every upgrade bought; a sale gives back half of it.
    int getSpent() const;
    bool isSold() const;
    // How the turret picks its target; FIRST, the oldest in range, at first.
    void setTargetMode(TargetMode new_mode);
    TargetMode getTargetMode() const;
    // The next mode, and FIRST after the last.
    void cycleTargetMode();

    // Steps run the targeting; a right click on one of the turret's cells
    // sells it, unless the game is paused.
    int eventHandler(const zp::Event* p_e) override;
    // The sprite; beside its top right corner the letter of a targeting mode
    // other than the first, and under that the upgrade level above 0.
    void draw() override;
    // One step: aims at the enemy in range that the mode picks and fires
    // when ready; with none in range, turns idly.
    void updateTargeting();
    // Plays the kind's sound, freezes the target if the turret freezes,
    // takes health from it and starts the countdown to the next shot.
    virtual void fire(Enemy* p_target);
    // Leaves the board: the refund goes to the currency counter (a
    // "Currency:" view event) and the sale is heard. Once only.
    void sell();
    // True when the cell is one of those the turret's box covers.
    bool covers(zp::Position cell) const;

private:
    // Range, damage, fire rate and freeze, in that order.
    void useStats(const TurretStats& stats);
    // Plays the kind's sound once; a missing one is logged and skipped.
    void playKindSound() const;

    const TurretKind* p_kind = nullptr;
    int range = TURRET_RANGE_DEFAULT;
    int damage = TURRET_DAMAGE_DEFAULT;
    int fire_rate = TURRET_FIRE_RATE_DEFAULT;
    int fire_countdown = TURRET_FIRE_RATE_DEFAULT;
    int freeze_steps = 0;
    int price = 0;
    int upgrade_level = 0;
    int upgrades_spent = 0;
    bool sold = false;
    TargetMode target_mode = TargetMode::FIRST;
};
