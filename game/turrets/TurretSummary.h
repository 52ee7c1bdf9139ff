// The line that tells the player about one turret: its kind, level and
// targeting mode, what the next upgrade costs and gives, and what a sale
// returns. It fits the board's 80 columns.
#pragma once

#include "turrets/TurretKinds.h"

#include <string>

class Turret;

// "Gatling Lv0 aim first (T) | U 100: dmg 5>8 | sell 50": the kind, its
// upgrade level and targeting mode, the next level's cost and what it
// changes (range, damage, fire rate, freeze), and what a sale returns.
std::string turretSummary(const Turret& turret);
// What changes between two levels' numbers: "dmg 5>8", "rng 14>18 frz 30>40";
// "no change" when nothing does.
std::string upgradeEffect(const TurretStats& from, const TurretStats& to);
