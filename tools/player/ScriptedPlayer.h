// A player made of rules: before each frame it looks at the board and adds
// the input it decides on to a recording, which the input manager's replayer
// sends as if a player had given it. The board is only looked at; every
// effect goes through the recorded input, so the game it plays can be
// replayed from the recording alone.
#pragma once

#include "zp/InputRecording.h"
#include "zp/Position.h"

#include <string>

struct TurretKind;

enum class Strategy {
    // Never buys anything.
    NO_TURRETS,
    // Buys one Gatling at the start and places it where it covers most of the path.
    ONE_GATLING,
    // Whenever the currency covers a turret, buys the dearest kind it covers and
    // places it where it covers most of the path.
    GREEDY,
    // Upgrades before it buys: while a standing turret has a level left to
    // buy, saves for the cheapest such upgrade (the oldest turret's, of
    // equals) and buys it. With every turret at its top level it buys as a
    // mixed buyer: four Gatlings, then a Rocket, a Gatling, a Freeze and a
    // Gatling in turn, saving for each; each where it covers most of the path.
    UPGRADER,
    // Buys as the upgrader does, without upgrades, and gives each new
    // turret the targeting mode chosen for its kind (TARGETING_MODES in the
    // source).
    TARGETING,
};

// "no-turrets", "one-gatling", "greedy", "upgrader", "targeting".
const char* strategyName(Strategy strategy);
// 0, or -1 for a name that is none of the above.
int strategyFromName(const std::string& name, Strategy& strategy);

class ScriptedPlayer {
public:
    // The player's input goes into `plan`, which must outlive the player.
    ScriptedPlayer(Strategy strategy, zp::InputRecording& plan);

    // Before the frame that starts at `step`: adds this frame's input, if any.
    void act(int step);
    int getTurretsBought() const;

private:
    // The steps of one purchase, one frame each: click the panel, move the
    // cursor onto the chosen cell, click there; then, for the targeting
    // player, set the new turret's mode (the pointer still rests on it).
    enum class Phase { IDLE, CURSOR_COMING, PLACING, AIMING };

    // The kind to buy now, or nullptr.
    const TurretKind* kindToBuy() const;
    void clickPanel(int step, const TurretKind& kind);
    void moveCursor(int step);
    // The upgrader's turn: points at the turret to upgrade and presses U
    // when the currency covers it. True when it has a turret to save for.
    bool upgradeFirst(int step);
    void aimNewTurret(int step);

    Strategy strategy;
    zp::InputRecording& plan;
    Phase phase = Phase::IDLE;
    const TurretKind* p_buying = nullptr;
    zp::Position target;
    int turrets_bought = 0;
    // Set when no cell is left for a turret, or a purchase failed: the
    // player then buys nothing more.
    bool given_up = false;
};
