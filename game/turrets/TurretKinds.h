// Everything that makes one kind of turret: its turret, its build cursor and
// its buy panel all read their kind's row.
#pragma once

#include <string>

struct TurretKind {
    // Type strings, which are also the class names that the warnings give.
    std::string turret_type;
    std::string build_type;
    std::string panel_type;

    // Sprite labels; a missing turret or cursor sprite is reported under the
    // name beside it (a missing panel sprite under the panel's type).
    std::string turret_sprite;
    std::string turret_sprite_warning;
    std::string build_sprite;
    std::string build_sprite_warning;
    std::string panel_sprite;

    // Played once at every shot.
    std::string sound;

    // Largest scaled distance of a target, health taken per shot, steps
    // between shots, and the currency a purchase needs and costs.
    int range;
    int damage;
    int fire_rate;
    int price;
};

// clang-format off
inline const TurretKind GATLING_KIND = {
    /* types */                      "Gatling", "GatlingBuild", "GatlingInfo",
    /* turret sprite, its warning */ "gatling", "gatling",
    /* cursor sprite, its warning */ "gatling-build", "gatling-build",
    /* panel sprite */               "gatling-select",
    /* sound */                      "shoot",
    /* range, damage, rate, price */ 20, 5, 2, 100,
};

inline const TurretKind ROCKET_KIND = {
    /* types */                      "Rocket", "RocketBuild", "RocketInfo",
    /* turret sprite, its warning */ "rocket", "rocket",
    /* cursor sprite, its warning */ "rocket-build", "rocket-build",
    /* panel sprite */               "rocket-select",
    /* sound */                      "explosion",
    /* range, damage, rate, price */ 30, 20, 20, 300,
};

inline const TurretKind FREEZE_KIND = {
    /* types */                      "Freeze", "FreezeBuild", "FreezeInfo",
    /* turret sprite, its warning */ "freeze", "Freeze",
    /* cursor sprite, its warning */ "freeze-build", "FreezeBuild",
    /* panel sprite */               "freeze-select",
    /* sound */                      "freeze",
    /* range, damage, rate, price */ 10, 0, 20, 600,
};
// clang-format on
