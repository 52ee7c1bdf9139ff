#include "app/GameState.h"

#include "enemies/Enemy.h"
#include "play/WavesGame.h"
#include "turrets/Turret.h"

#include "zp/GameManager.h"
#include "zp/InputRecording.h"
#include "zp/ObjectListIterator.h"
#include "zp/ViewObject.h"
#include "zp/WorldManager.h"

#include <cstdio>
#include <sstream>

namespace {

// A turret's countdown, then what the player chose for it, said only when it
// is not the default (so games without choices keep their digests).
std::string turretState(const Turret& turret)
{
    std::string state = " countdown " + std::to_string(turret.getFireCountdown());
    if (turret.getTargetMode() != TargetMode::FIRST)
        state += std::string(" aim ") + targetModeName(turret.getTargetMode());
    if (turret.getUpgradeLevel() > 0)
        state += " upgrade " + std::to_string(turret.getUpgradeLevel());
    return state;
}

} // namespace

GameState readGameState()
{
    GameState state;
    state.step = zp::GameManager::getInstance().getStepCount();
    const PlayResult result = latestPlayResult();
    state.level = result.level;
    state.wave = result.wave;
    state.lives = result.lives;
    state.currency = result.currency;
    state.turrets = result.turrets;
    state.objects = zp::digestOf(describeObjects());
    return state;
}

std::string describeObjects()
{
    // Sprite frames are left out: animations advance as frames are drawn, and
    // a faster game draws fewer frames for the same steps.
    std::ostringstream out;
    const zp::ObjectList all = zp::WorldManager::getInstance().getAllObjects();
    for (zp::ObjectListIterator it(&all); !it.isDone(); it.next()) {
        const zp::Object* p_o = it.currentObject();
        out << p_o->getType() << " " << p_o->getPosition().getX() << " " << p_o->getPosition().getY();
        if (const auto* p_enemy = dynamic_cast<const Enemy*>(p_o))
            out << " health " << p_enemy->getHealth() << "/" << p_enemy->getMaxHealth();
        else if (const auto* p_view = dynamic_cast<const zp::ViewObject*>(p_o))
            out << " value " << p_view->getValue();
        else if (const auto* p_turret = dynamic_cast<const Turret*>(p_o))
            out << turretState(*p_turret);
        else if (const auto* p_game = dynamic_cast<const WavesGame*>(p_o))
            out << " countdown " << p_game->getWaveCountdown();
        out << "\n";
    }
    return out.str();
}

std::string stateLine(const GameState& state)
{
    char objects[17];
    std::snprintf(objects, sizeof objects, "%016llx", static_cast<unsigned long long>(state.objects));
    std::ostringstream out;
    out << "step " << state.step << " level " << state.level << " wave " << state.wave << " lives "
        << state.lives << " currency " << state.currency << " turrets " << state.turrets << " objects "
        << objects;
    return out.str();
}

std::uint64_t stateDigest()
{
    return zp::digestOf(stateLine(readGameState()));
}

std::uint64_t stateDigestSince(int origin)
{
    GameState state = readGameState();
    state.step -= origin;
    return zp::digestOf(stateLine(state));
}
