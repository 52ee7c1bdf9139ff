// The game's events that carry more than their type: what was destroyed,
// built or sold, for those who count (the statistics of a game).
#pragma once

#include "content/GameEvents.h"

#include "zp/Event.h"

#include <string>

// Sent when a turret is placed on the board, and when one is sold.
inline const std::string TURRET_BUILT_EVENT = "TurretBuilt";
inline const std::string TURRET_SOLD_EVENT = "TurretSold";

// "EnemyKilled", which every enemy sends as it leaves the world, with its
// kind and whether its health was used up (not merely cleared away with
// the board at the end of a game).
class EnemyKilledEvent : public zp::Event {
public:
    EnemyKilledEvent(std::string kind_name, bool was_destroyed)
        : kind(std::move(kind_name)), destroyed(was_destroyed)
    {
        setType(ENEMY_KILLED_EVENT);
    }

    // "easy", "medium", "hard".
    const std::string& getKind() const { return kind; }
    bool wasDestroyed() const { return destroyed; }

private:
    std::string kind;
    bool destroyed;
};

// TURRET_BUILT_EVENT or TURRET_SOLD_EVENT, with the turret's type ("Gatling").
class TurretEvent : public zp::Event {
public:
    TurretEvent(const std::string& event_type, std::string new_turret_type)
        : turret_type(std::move(new_turret_type))
    {
        setType(event_type);
    }

    const std::string& getTurretType() const { return turret_type; }

private:
    std::string turret_type;
};
