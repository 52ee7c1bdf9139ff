#include "ScriptedPlayer.h"

#include "content/Controls.h"
#include "content/GameEvents.h"
#include "level/Level.h"
#include "level/LevelManager.h"
#include "play/WavesGame.h"
#include "shop/Build.h"
#include "shop/Info.h"
#include "turrets/Targeting.h"
#include "turrets/Turret.h"
#include "turrets/TurretKinds.h"

#include "zp/EventKeyboard.h"
#include "zp/ObjectList.h"
#include "zp/ObjectListIterator.h"
#include "zp/Utility.h"
#include "zp/WorldManager.h"

#include <SFML/Window/Mouse.hpp>

namespace {

const int LEFT_BUTTON = sf::Mouse::Left;
// Where a panel is clicked, from its corner: well inside its area.
const int PANEL_CLICK_OFFSET = 2;
// Dearest first: the greedy player takes the first that it can pay for.
const TurretKind* const KINDS_BY_PRICE[] = {&FREEZE_KIND, &ROCKET_KIND, &GATLING_KIND};
// The mixed buyers' order: Gatlings first, as the cheap start needs, then
// every kind in turn, saving for each.
const int MIXED_GATLINGS_FIRST = 4;
const TurretKind* const MIXED_TURN[] = {&ROCKET_KIND, &GATLING_KIND, &FREEZE_KIND, &GATLING_KIND};

// The targeting player's modes: the genre's favourite, Rockets' heavy shots
// for the strongest enemy, and the Gatlings and Freezes on the enemy furthest
// along the track (docs/balance.md says how these and others fared).
const struct {
    const TurretKind* p_kind;
    TargetMode mode;
} TARGETING_MODES[] = {
    {&GATLING_KIND, TargetMode::FURTHEST},
    {&ROCKET_KIND, TargetMode::STRONGEST},
    {&FREEZE_KIND, TargetMode::FURTHEST},
};

// The first key of a command in the game's table of controls.
int keyOf(Command command)
{
    for (const Control& control : controls())
        if (control.command == command && !control.keys.empty())
            return control.keys.front();
    return -1;
}

zp::Object* findByType(const std::string& type)
{
    const zp::ObjectList all = zp::WorldManager::getInstance().getAllObjects();
    for (zp::ObjectListIterator it(&all); !it.isDone(); it.next())
        if (it.currentObject()->getType() == type)
            return it.currentObject();
    return nullptr;
}

// How many cells of the enemies' path a turret at `cell` reaches.
int pathCellsCovered(zp::Position cell, int range)
{
    const Level* p_level = LevelManager::getInstance().getLevel();
    if (p_level == nullptr)
        return 0;
    int covered = 0;
    for (const zp::Position& path_cell : p_level->getPath())
        covered += zp::scaledDistance(cell, path_cell) <= range ? 1 : 0;
    return covered;
}

// The free cell where the cursor's turret reaches most of the path (the
// topmost, then leftmost, of equals); false when no cell takes it.
bool bestCell(const Build& cursor, int range, zp::Position& best)
{
    const zp::WorldManager& world = zp::WorldManager::getInstance();
    const zp::Box board = world.getBoundary();
    int best_covered = 0;
    for (int y = 0; y < board.getVertical(); ++y) {
        for (int x = 0; x < board.getHorizontal(); ++x) {
            const zp::Position cell(x, y);
            if (!cursor.fitsPlayingField(cell))
                continue;
            const int covered = pathCellsCovered(cell, range);
            if (covered > best_covered && world.getCollisions(&cursor, cell).isEmpty()) {
                best_covered = covered;
                best = cell;
            }
        }
    }
    return best_covered > 0;
}

} // namespace

const char* strategyName(Strategy strategy)
{
    switch (strategy) {
    case Strategy::NO_TURRETS:
        return "no-turrets";
    case Strategy::ONE_GATLING:
        return "one-gatling";
    case Strategy::GREEDY:
        return "greedy";
    case Strategy::UPGRADER:
        return "upgrader";
    case Strategy::TARGETING:
        return "targeting";
    }
    return "";
}

int strategyFromName(const std::string& name, Strategy& strategy)
{
    for (Strategy each : {Strategy::NO_TURRETS, Strategy::ONE_GATLING, Strategy::GREEDY, Strategy::UPGRADER,
                          Strategy::TARGETING}) {
        if (name == strategyName(each)) {
            strategy = each;
            return 0;
        }
    }
    return -1;
}

ScriptedPlayer::ScriptedPlayer(Strategy new_strategy, zp::InputRecording& new_plan)
    : strategy(new_strategy), plan(new_plan)
{
}

int ScriptedPlayer::getTurretsBought() const
{
    return turrets_bought;
}

const TurretKind* ScriptedPlayer::kindToBuy() const
{
    if (given_up || strategy == Strategy::NO_TURRETS)
        return nullptr;
    if (strategy == Strategy::ONE_GATLING && turrets_bought > 0)
        return nullptr;
    const int currency = latestPlayResult().currency;
    if (strategy == Strategy::ONE_GATLING)
        return currency >= GATLING_KIND.price ? &GATLING_KIND : nullptr;
    if (strategy == Strategy::UPGRADER || strategy == Strategy::TARGETING) {
        const int turn_count = static_cast<int>(sizeof MIXED_TURN / sizeof MIXED_TURN[0]);
        const TurretKind* p_next = turrets_bought < MIXED_GATLINGS_FIRST
                                       ? &GATLING_KIND
                                       : MIXED_TURN[(turrets_bought - MIXED_GATLINGS_FIRST) % turn_count];
        return currency >= p_next->price ? p_next : nullptr;
    }
    for (const TurretKind* p_kind : KINDS_BY_PRICE)
        if (currency >= p_kind->price)
            return p_kind;
    return nullptr;
}

void ScriptedPlayer::act(int step)
{
    switch (phase) {
    case Phase::IDLE:
        if (strategy == Strategy::UPGRADER && upgradeFirst(step))
            break;
        if (const TurretKind* p_kind = kindToBuy())
            clickPanel(step, *p_kind);
        break;
    case Phase::CURSOR_COMING:
        moveCursor(step);
        break;
    case Phase::PLACING:
        plan.addMouse(step, zp::CLICKED, LEFT_BUTTON, target);
        ++turrets_bought;
        phase = strategy == Strategy::TARGETING ? Phase::AIMING : Phase::IDLE;
        break;
    case Phase::AIMING:
        aimNewTurret(step);
        phase = Phase::IDLE;
        break;
    }
}

void ScriptedPlayer::clickPanel(int step, const TurretKind& kind)
{
    const zp::Object* p_panel = findByType(kind.panel_type);
    if (p_panel == nullptr) {
        given_up = true;
        return;
    }
    const zp::Position corner = p_panel->getPosition();
    plan.addMouse(step, zp::CLICKED, LEFT_BUTTON,
                  zp::Position(corner.getX() + PANEL_CLICK_OFFSET, corner.getY() + PANEL_CLICK_OFFSET));
    p_buying = &kind;
    phase = Phase::CURSOR_COMING;
}

void ScriptedPlayer::moveCursor(int step)
{
    const auto* p_cursor = dynamic_cast<const Build*>(findByType(p_buying->build_type));
    if (p_cursor == nullptr || !bestCell(*p_cursor, p_buying->base.range, target)) {
        // No cursor came, or no cell takes the turret: a click anywhere off
        // the field drops a cursor that came, and the player stops buying.
        given_up = true;
        phase = Phase::IDLE;
        if (p_cursor != nullptr)
            plan.addMouse(step, zp::CLICKED, LEFT_BUTTON, zp::Position(0, 0));
        return;
    }
    plan.addMouse(step, zp::MOVED, LEFT_BUTTON, target);
    phase = Phase::PLACING;
}

bool ScriptedPlayer::upgradeFirst(int step)
{
    // The cheapest next level of any standing turret; the oldest of equals.
    const Turret* p_cheapest = nullptr;
    const zp::ObjectList all = zp::WorldManager::getInstance().getAllObjects();
    for (zp::ObjectListIterator it(&all); !it.isDone(); it.next()) {
        const auto* p_turret = dynamic_cast<const Turret*>(it.currentObject());
        if (p_turret == nullptr || p_turret->isSold() || p_turret->nextUpgrade() == nullptr)
            continue;
        if (p_cheapest == nullptr || p_turret->nextUpgrade()->cost < p_cheapest->nextUpgrade()->cost)
            p_cheapest = p_turret;
    }
    if (p_cheapest == nullptr)
        return false;
    if (latestPlayResult().currency >= p_cheapest->nextUpgrade()->cost) {
        plan.addMouse(step, zp::MOVED, LEFT_BUTTON, zp::getWorldBox(p_cheapest).getCorner());
        plan.addKeyboard(step, zp::KEY_PRESSED, keyOf(Command::UPGRADE));
    }
    return true;
}

void ScriptedPlayer::aimNewTurret(int step)
{
    for (const auto& row : TARGETING_MODES) {
        if (row.p_kind != p_buying)
            continue;
        // The pointer rests on the turret just placed; each press is the next mode.
        for (TargetMode mode = TargetMode::FIRST; mode != row.mode; mode = nextTargetMode(mode))
            plan.addKeyboard(step, zp::KEY_PRESSED, keyOf(Command::TARGET));
    }
}
