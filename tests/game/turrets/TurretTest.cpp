#include "turrets/Turret.h"

#include "PlayHarness.h"
#include "enemies/EnemyEasy.h"
#include "turrets/Freeze.h"
#include "turrets/Gatling.h"
#include "turrets/Rocket.h"

#include "zp/Utility.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace play;
using zp::Position;

namespace {

enum class Kind { GATLING, ROCKET, FREEZE };

const char* kindName(Kind kind)
{
    switch (kind) {
    case Kind::GATLING:
        return "Gatling";
    case Kind::ROCKET:
        return "Rocket";
    case Kind::FREEZE:
        return "Freeze";
    }
    return "";
}

Turret* makeTurret(Kind kind, Position p)
{
    switch (kind) {
    case Kind::GATLING:
        return new Gatling(p);
    case Kind::ROCKET:
        return new Rocket(p);
    case Kind::FREEZE:
        return new Freeze(p);
    }
    return nullptr;
}

const Position TURRET_CELL(40, 12);

Position beside(int dx, int dy)
{
    return Position(TURRET_CELL.getX() + dx, TURRET_CELL.getY() + dy);
}

// Without a level enemies stay where they are put.
Enemy* enemyAt(Position p, int health = 10000)
{
    auto* p_enemy = new EnemyEasy(health);
    p_enemy->setPosition(p);
    return p_enemy;
}

void clearEnemies()
{
    for (Enemy* p_enemy : objectsOf<Enemy>())
        zp::WorldManager::getInstance().markForDelete(p_enemy);
    zp::WorldManager::getInstance().update();
}

class Turrets : public Play {};

TEST_F(Turrets, KindsTakeTheirValuesAndStandWherePlaced)
{
    loadTurretSprites();
    struct Case {
        Kind kind;
        const char* sprite;
        int range;
        int damage;
        int fire_rate;
    };
    for (const Case& c : {Case{Kind::GATLING, "gatling", 20, 5, 2}, Case{Kind::ROCKET, "rocket", 30, 20, 20},
                          Case{Kind::FREEZE, "freeze", 10, 0, 20}}) {
        SCOPED_TRACE(kindName(c.kind));
        Turret* p_turret = makeTurret(c.kind, Position(7, 8));
        EXPECT_EQ(p_turret->getType(), kindName(c.kind));
        EXPECT_EQ(p_turret->getPosition(), Position(7, 8));
        EXPECT_EQ(p_turret->getSolidness(), zp::SOFT);
        EXPECT_EQ(p_turret->getSprite(), zp::ResourceManager::getInstance().getSprite(c.sprite));
        EXPECT_EQ(p_turret->getSpriteSlowdown(), 30);
        EXPECT_EQ(p_turret->getRange(), c.range);
        EXPECT_EQ(p_turret->getDamage(), c.damage);
        EXPECT_EQ(p_turret->getFireRate(), c.fire_rate);
        EXPECT_EQ(p_turret->getFireCountdown(), 2);
    }
}

TEST_F(Turrets, RangeIsAScaledDistanceWithItsEdgeInside)
{
    loadTurretSprites();
    new Gatling(TURRET_CELL);
    struct Case {
        int dx;
        int dy;
        bool in_range;
    };
    const Case cases[] = {
        {20, 0, true}, {21, 0, false}, {-20, 0, true}, {-21, 0, false}, {0, 8, true},
        {0, 9, false}, {0, -8, true},  {0, -9, false}, {12, 6, true},   {13, 7, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.dx) + ", " + std::to_string(c.dy));
        Enemy* p_enemy = enemyAt(beside(c.dx, c.dy), 100);
        step(2);
        EXPECT_EQ(p_enemy->getHealth(), c.in_range ? 95 : 100);
        clearEnemies();
    }
}

TEST_F(Turrets, TheOldestEnemyInRangeIsTheTarget)
{
    loadTurretSprites();
    Turret* p_turret = new Gatling(TURRET_CELL);
    Enemy* p_older_far = enemyAt(beside(-15, 0), 100);
    Enemy* p_newer_near = enemyAt(beside(1, 0), 100);
    enemyAt(beside(30, 0), 100);
    step(2);
    EXPECT_EQ(p_older_far->getHealth(), 95);
    EXPECT_EQ(p_newer_near->getHealth(), 100);
    EXPECT_EQ(p_turret->getSpriteIndex(), 6);

    // Once the first one has gone, the next oldest in range is the target.
    p_older_far->setPosition(beside(-40, 0));
    step(2);
    EXPECT_EQ(p_older_far->getHealth(), 95);
    EXPECT_EQ(p_newer_near->getHealth(), 95);
    EXPECT_EQ(p_turret->getSpriteIndex(), 2);
}

TEST_F(Turrets, AimTheFrameOfTheTargetsDirection)
{
    loadTurretSprites();
    Turret* p_turret = new Gatling(TURRET_CELL);
    p_turret->setRange(100);
    // Whole degrees are truncated toward zero; each pair straddles a border.
    struct Case {
        int dx;
        int dy;
        int degrees;
        int frame;
    };
    const Case cases[] = {
        {1, 0, 0, 2},    {5, 2, 21, 2},      {12, 5, 22, 3},    {3, 7, 66, 3},      {5, 12, 67, 4},
        {0, 1, 90, 4},   {-2, 5, 111, 4},    {-5, 12, 112, 5},  {-7, 3, 156, 5},    {-12, 5, 157, 6},
        {-1, 0, 180, 6}, {-12, -5, -157, 6}, {-7, -3, -156, 7}, {-5, -12, -112, 7}, {-2, -5, -111, 0},
        {0, -1, -90, 0}, {5, -12, -67, 0},   {3, -7, -66, 1},   {12, -5, -22, 1},   {5, -2, -21, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.degrees) + " degrees");
        ASSERT_EQ(zp::angle(TURRET_CELL, beside(c.dx, c.dy)), c.degrees);
        enemyAt(beside(c.dx, c.dy));
        step();
        EXPECT_EQ(p_turret->getSpriteIndex(), c.frame);
        EXPECT_EQ(p_turret->getSpriteSlowdown(), 0);
        clearEnemies();
    }
}

TEST_F(Turrets, FireEveryFireRateStepsFromTheSecondStep)
{
    loadTurretSprites();
    struct Case {
        Kind kind;
        std::vector<int> shots;
        int damage;
    };
    const Case cases[] = {
        {Kind::GATLING, {2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 32, 34, 36, 38, 40}, 5},
        {Kind::ROCKET, {2, 22}, 20},
        {Kind::FREEZE, {2, 22}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(kindName(c.kind));
        Enemy* p_enemy = enemyAt(beside(3, 0));
        Turret* p_turret = makeTurret(c.kind, TURRET_CELL);
        std::vector<int> shots;
        for (int i = 1; i <= 41; ++i) {
            step();
            // A shot sets the countdown back to the full rate.
            if (p_turret->getFireCountdown() == p_turret->getFireRate())
                shots.push_back(i);
        }
        EXPECT_EQ(shots, c.shots);
        EXPECT_EQ(p_enemy->getHealth(), 10000 - c.damage * int(c.shots.size()));
        zp::WorldManager::getInstance().markForDelete(p_turret);
        clearEnemies();
    }
}

TEST_F(Turrets, FireOnTheFirstStepThatFindsAnEnemyAfterIdling)
{
    loadTurretSprites();
    Turret* p_turret = new Rocket(TURRET_CELL);
    Enemy* p_enemy = enemyAt(beside(50, 0));
    step(30);
    EXPECT_EQ(p_turret->getFireCountdown(), 0);
    EXPECT_EQ(p_enemy->getHealth(), 10000);
    p_enemy->setPosition(beside(30, 0));
    step();
    EXPECT_EQ(p_enemy->getHealth(), 9980);
}

TEST_F(Turrets, FreezeTellsOnlyItsTargetAndTakesNoHealth)
{
    loadTurretSprites();
    auto* p_listener = new Listener;
    new Freeze(TURRET_CELL);
    Enemy* p_target = enemyAt(beside(2, 0), 100);
    Enemy* p_other = enemyAt(beside(3, 0), 100);
    step();
    EXPECT_FALSE(p_target->isFrozen());
    step();
    EXPECT_TRUE(p_target->isFrozen());
    EXPECT_FALSE(p_other->isFrozen());
    EXPECT_EQ(p_listener->count("FreezeEvent"), 0);

    // The freeze runs out; the later shots find the freeze used and change nothing.
    step(20);
    EXPECT_FALSE(p_target->isFrozen());
    step(30);
    EXPECT_FALSE(p_target->isFrozen());
    EXPECT_FALSE(p_other->isFrozen());
    EXPECT_EQ(p_target->getHealth(), 100);
    EXPECT_EQ(p_other->getHealth(), 100);
}

TEST_F(Turrets, TurnIdlyAndResumeFromTheLastAimWhenTheTargetLeaves)
{
    loadTurretSprites();
    Turret* p_turret = new Gatling(TURRET_CELL);
    step(29);
    EXPECT_EQ(p_turret->getSpriteIndex(), 0);
    step();
    EXPECT_EQ(p_turret->getSpriteIndex(), 1);

    Enemy* p_enemy = enemyAt(beside(0, 3));
    step();
    EXPECT_EQ(p_turret->getSpriteIndex(), 4);
    step(40);
    EXPECT_EQ(p_turret->getSpriteIndex(), 4);

    p_enemy->setPosition(beside(0, 20));
    step(29);
    EXPECT_EQ(p_turret->getSpriteSlowdown(), 30);
    EXPECT_EQ(p_turret->getSpriteIndex(), 4);
    step();
    EXPECT_EQ(p_turret->getSpriteIndex(), 5);
}

struct SoundCase {
    Kind kind;
    const char* sound;
};

class TurretSounds : public Play, public testing::WithParamInterface<SoundCase> {};

// Only the kind's own sound is loaded, so nothing plays if it asks for another.
TEST_P(TurretSounds, EachKindPlaysItsSoundWhenItFires)
{
    loadTurretSprites();
    loadSound(GetParam().sound);
    makeTurret(GetParam().kind, TURRET_CELL);
    enemyAt(beside(1, 0));
    step();
    EXPECT_FALSE(anySourcePlaying());
    step();
    EXPECT_TRUE(anySourcePlaying());
}

INSTANTIATE_TEST_SUITE_P(Kinds, TurretSounds,
                         testing::Values(SoundCase{Kind::GATLING, "shoot"},
                                         SoundCase{Kind::ROCKET, "explosion"},
                                         SoundCase{Kind::FREEZE, "freeze"}),
                         [](const testing::TestParamInfo<SoundCase>& param_info) {
                             return std::string(kindName(param_info.param.kind));
                         });

TEST_F(Turrets, WithoutSpriteOrSoundAreLoggedAndStillFire)
{
    struct Case {
        Kind kind;
        const char* sprite_warning;
        const char* sound_warning;
        int damage;
    };
    const Case cases[] = {
        {Kind::GATLING, "Gatling::Gatling(): Warning! Sprite 'gatling' not found",
         "Gatling::fire(): Warning! Sound 'shoot' not found", 5},
        {Kind::ROCKET, "Rocket::Rocket(): Warning! Sprite 'rocket' not found",
         "Rocket::fire(): Warning! Sound 'explosion' not found", 20},
        {Kind::FREEZE, "Freeze::Freeze(): Warning! Sprite 'Freeze' not found",
         "Freeze::fire(): Warning! Sound 'freeze' not found", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(kindName(c.kind));
        Turret* p_turret = makeTurret(c.kind, TURRET_CELL);
        EXPECT_TRUE(logHas(c.sprite_warning));
        EXPECT_EQ(p_turret->getSprite(), nullptr);
        EXPECT_EQ(p_turret->getSpriteSlowdown(), 0);
        Enemy* p_enemy = enemyAt(beside(-1, 0), 100);
        step(2);
        EXPECT_TRUE(logHas(c.sound_warning));
        EXPECT_EQ(p_enemy->getHealth(), 100 - c.damage);
        EXPECT_EQ(p_enemy->isFrozen(), c.kind == Kind::FREEZE);
        EXPECT_EQ(p_turret->getSpriteIndex(), 6);
        zp::WorldManager::getInstance().markForDelete(p_turret);
        clearEnemies();
    }
}

} // namespace
