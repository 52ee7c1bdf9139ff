// Everything that makes one kind of turret, in one row: its turret, its build
// cursor and its buy panel read the row, and the game loads the kind's
// sprites and sound from it. A new kind is a new row and its sprite files.
#pragma once

#include <array>
#include <string>
#include <vector>

// What a turret's shots do at one level.
struct TurretStats {
    // Largest scaled distance of a target.
    int range;
    // Health taken per shot.
    int damage;
    // Steps between two shots.
    int fire_rate;
    // Steps that a shot freezes its target for (each enemy is frozen once
    // in its life); 0 for a turret that does not freeze.
    int freeze_steps;
};

// A level above the base: its price and the turret's numbers from then on.
struct TurretUpgrade {
    int cost;
    TurretStats stats;
};

const int TURRET_UPGRADE_LEVELS = 2;

struct TurretKind {
    // Type strings, which are also the class names that the warnings give.
    std::string turret_type;
    std::string build_type;
    std::string panel_type;

    // Sprite labels and their files (relative to the data set's folder). A
    // missing turret or cursor sprite is reported under the name beside it,
    // a missing panel sprite under the panel's type.
    std::string turret_sprite;
    std::string turret_sprite_file;
    std::string turret_sprite_warning;
    std::string build_sprite;
    std::string build_sprite_file;
    std::string build_sprite_warning;
    std::string panel_sprite;
    std::string panel_sprite_file;

    // Played once at every shot. Kinds may share a sound: it is loaded once.
    std::string sound;
    std::string sound_file;

    // The currency a purchase needs and costs.
    int price;
    TurretStats base;
    std::array<TurretUpgrade, TURRET_UPGRADE_LEVELS> upgrades;
};

// clang-format off
inline const TurretKind GATLING_KIND = {
    /* types */                       "Gatling", "GatlingBuild", "GatlingInfo",
    /* turret sprite, file, warning */"gatling", "Sprites/Turrets/Gatling/gatling-spr.txt", "gatling",
    /* cursor sprite, file, warning */"gatling-build", "Sprites/Turrets/Gatling/gatling-build-spr.txt", "gatling-build",
    /* panel sprite, file */          "gatling-select", "Sprites/Turrets/Gatling/gatling-info-spr.txt",
    /* sound, file */                 "shoot", "Music/bullet.wav",
    /* price */                       100,
    /* range, damage, rate, freeze */ {20, 5, 2, 0},
    /* upgrades: cost, numbers */     {{{100, {20, 8, 2, 0}}, {200, {20, 11, 2, 0}}}},
};

inline const TurretKind ROCKET_KIND = {
    /* types */                       "Rocket", "RocketBuild", "RocketInfo",
    /* turret sprite, file, warning */"rocket", "Sprites/Turrets/Rocket/rocket-spr.txt", "rocket",
    /* cursor sprite, file, warning */"rocket-build", "Sprites/Turrets/Rocket/rocket-build-spr.txt", "rocket-build",
    /* panel sprite, file */          "rocket-select", "Sprites/Turrets/Rocket/rocket-info-spr.txt",
    /* sound, file */                 "explosion", "Music/Explosion.wav",
    /* price */                       300,
    /* range, damage, rate, freeze */ {30, 20, 20, 0},
    /* upgrades: cost, numbers */     {{{200, {36, 30, 15, 0}}, {400, {42, 40, 12, 0}}}},
};

inline const TurretKind FREEZE_KIND = {
    /* types */                       "Freeze", "FreezeBuild", "FreezeInfo",
    /* turret sprite, file, warning */"freeze", "Sprites/Turrets/Freeze/freeze-spr.txt", "Freeze",
    /* cursor sprite, file, warning */"freeze-build", "Sprites/Turrets/Freeze/freeze-build-spr.txt", "FreezeBuild",
    /* panel sprite, file */          "freeze-select", "Sprites/Turrets/Freeze/freeze-info-spr.txt",
    /* sound, file */                 "freeze", "Music/Freeze.wav",
    /* price */                       600,
    /* range, damage, rate, freeze */ {10, 0, 20, 20},
    /* upgrades: cost, numbers */     {{{300, {14, 0, 20, 30}}, {500, {18, 0, 15, 40}}}},
};
// clang-format on

using TurretKindList = std::vector<const TurretKind*>;

// The game's kinds, in the order of their panels from the top.
inline const TurretKindList SHIPPED_TURRET_KINDS = {&GATLING_KIND, &ROCKET_KIND, &FREEZE_KIND};
