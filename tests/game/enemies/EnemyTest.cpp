#include "enemies/Enemy.h"

#include "PlayHarness.h"
#include "enemies/EnemyEasy.h"
#include "enemies/EnemyHard.h"
#include "enemies/EnemyMedium.h"
#include "enemies/EventFreeze.h"
#include "hud/CurrencyView.h"
#include "hud/LivesView.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace play;
using zp::Position;

namespace {

enum class Kind { EASY, MEDIUM, HARD };

Enemy* makeEnemy(Kind kind, int health)
{
    switch (kind) {
    case Kind::EASY:
        return new EnemyEasy(health);
    case Kind::MEDIUM:
        return new EnemyMedium(health);
    case Kind::HARD:
        return new EnemyHard(health);
    }
    return nullptr;
}

// The steps (counted from 1) after which the enemy stood somewhere new.
std::vector<int> moveSteps(Enemy* p_enemy, int steps)
{
    std::vector<int> moved;
    Position last = p_enemy->getPosition();
    for (int i = 1; i <= steps; ++i) {
        step();
        if (p_enemy->getPosition() != last)
            moved.push_back(i);
        last = p_enemy->getPosition();
    }
    return moved;
}

class Enemies : public Play {};

TEST_F(Enemies, StartAtTheEnemyStartWithTheirKindsLook)
{
    loadEnemySprites();
    loadBoard("short");
    struct Case {
        Kind kind;
        const char* sprite;
        int move_delay;
    };
    for (const Case& c : {Case{Kind::EASY, "enemy-easy", 4}, Case{Kind::MEDIUM, "enemy-medium", 3},
                          Case{Kind::HARD, "enemy-hard", 3}}) {
        SCOPED_TRACE(c.sprite);
        Enemy* p_enemy = makeEnemy(c.kind, 77);
        EXPECT_EQ(p_enemy->getType(), "Enemy");
        EXPECT_EQ(p_enemy->getPosition(), ENEMY_START);
        EXPECT_EQ(p_enemy->getSprite(), zp::ResourceManager::getInstance().getSprite(c.sprite));
        EXPECT_EQ(p_enemy->getSpriteSlowdown(), 30);
        EXPECT_EQ(p_enemy->getSolidness(), zp::HARD);
        EXPECT_EQ(p_enemy->getHealth(), 77);
        EXPECT_EQ(p_enemy->getMaxHealth(), 77);
        EXPECT_EQ(p_enemy->getMoveDelay(), c.move_delay);
        // A copy of the level's path: walking it leaves the level's alone.
        EXPECT_EQ(p_enemy->getPath(), LevelManager::getInstance().getLevel()->getPath());
    }
}

TEST_F(Enemies, MoveOnTheThirdStepThenEveryDelayPlusOne)
{
    loadEnemySprites();
    loadBoard("long");
    const std::vector<Position> level_path = LevelManager::getInstance().getLevel()->getPath();
    struct Case {
        Kind kind;
        std::vector<int> moves;
    };
    const Case cases[] = {
        {Kind::EASY, {3, 8, 13, 18}},
        {Kind::MEDIUM, {3, 7, 11, 15, 19}},
        {Kind::HARD, {3, 7, 11, 15, 19}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.kind));
        Enemy* p_enemy = makeEnemy(c.kind, 50);
        EXPECT_EQ(moveSteps(p_enemy, 20), c.moves);
        // One path position per move, in order.
        EXPECT_EQ(p_enemy->getPosition(), level_path[c.moves.size() - 1]);
        zp::WorldManager::getInstance().markForDelete(p_enemy);
        step();
    }
    EXPECT_EQ(LevelManager::getInstance().getLevel()->getPath(), level_path);
}

TEST_F(Enemies, HealthBarShowsFifthsOfTheMaximum)
{
    loadBoard("short");
    struct Case {
        int max_health;
        int health;
        const char* bar;
        zp::Color color;
    };
    const Case cases[] = {
        {50, 50, "]=====[", zp::GREEN},   {50, 40, "]=====[", zp::GREEN},  {50, 39, "]==== [", zp::YELLOW},
        {50, 30, "]==== [", zp::YELLOW},  {50, 29, "]===  [", zp::YELLOW}, {50, 20, "]===  [", zp::YELLOW},
        {50, 19, "]==   [", zp::YELLOW},  {50, 10, "]==   [", zp::YELLOW}, {50, 9, "]=    [", zp::RED},
        {50, 0, "]=    [", zp::RED},      {50, -5, "]=====[", zp::GREEN},  {4, 0, "]=====[", zp::GREEN},
        {4, 3, "]=====[", zp::GREEN},     {4, 4, "]=====[", zp::GREEN},    {300, 59, "]=    [", zp::RED},
        {300, 60, "]==   [", zp::YELLOW},
    };
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.health) + " of " + std::to_string(c.max_health));
        Enemy* p_enemy = new EnemyEasy(c.max_health);
        p_enemy->takeDamage(c.max_health - c.health);
        graphics.swapBuffers();
        p_enemy->draw();
        // Columns x - 1 ... x + 5 of the row above the enemy, nothing beside.
        const std::string row = graphics.drawnRow(ENEMY_START.getY() - 1);
        EXPECT_EQ(row.substr(ENEMY_START.getX() - 2, 9), std::string(" ") + c.bar + " ");
        for (int x = ENEMY_START.getX() - 1; x <= ENEMY_START.getX() + 5; ++x)
            if (row[size_t(x)] != ' ') {
                EXPECT_EQ(graphics.getDrawnColor(Position(x, ENEMY_START.getY() - 1)), c.color) << x;
            }
        zp::WorldManager::getInstance().markForDelete(p_enemy);
        zp::WorldManager::getInstance().update();
    }
}

TEST_F(Enemies, BarStandsInTheRowAboveTheSprite)
{
    loadEnemySprites();
    loadBoard("short");
    new EnemyEasy(50);
    step();
    EXPECT_EQ(shown(9).substr(9, 7), "]=====[");
    EXPECT_EQ(shown(10).substr(10, 1), "e");
}

TEST_F(Enemies, LeaveAtTheNextStepWhenHealthIsGoneAndPayTheReward)
{
    loadEnemySprites();
    loadBoard("long");
    new CurrencyView(Position(55, 1));
    auto* p_listener = new Listener;
    struct Case {
        int damage;
        bool leaves;
    };
    for (const Case& c : {Case{49, false}, Case{50, true}, Case{55, true}}) {
        SCOPED_TRACE(c.damage);
        const int kills_before = p_listener->count("EnemyKilled");
        const int currency_before = counter("Currency:");
        Enemy* p_enemy = new EnemyEasy(50);
        step();
        p_enemy->takeDamage(c.damage);
        EXPECT_EQ(p_enemy->getHealth(), 50 - c.damage);
        EXPECT_EQ(objectsOf<Enemy>().size(), 1u);
        step();
        EXPECT_EQ(objectsOf<Enemy>().size(), c.leaves ? 0u : 1u);
        EXPECT_EQ(p_listener->count("EnemyKilled") - kills_before, c.leaves ? 1 : 0);
        EXPECT_EQ(counter("Currency:") - currency_before, c.leaves ? 10 : 0);
        for (Enemy* p_left : objectsOf<Enemy>())
            zp::WorldManager::getInstance().markForDelete(p_left);
        step();
    }
}

TEST_F(Enemies, EveryEnemyThatLeavesPaysOnceWhateverTheCause)
{
    loadBoard("short");
    new CurrencyView(Position(55, 1));
    auto* p_listener = new Listener;
    new EnemyEasy(50);
    new EnemyHard(300);
    zp::WorldManager& world = zp::WorldManager::getInstance();
    for (Enemy* p_enemy : objectsOf<Enemy>()) {
        world.markForDelete(p_enemy);
        world.markForDelete(p_enemy);
    }
    step();
    EXPECT_TRUE(objectsOf<Enemy>().empty());
    EXPECT_EQ(p_listener->count("EnemyKilled"), 2);
    EXPECT_EQ(counter("Currency:"), 120);
}

TEST_F(Enemies, OneFreezeOfTwentyStepsHoldsTheMoveCountdown)
{
    loadEnemySprites();
    loadBoard("long");
    auto* p_enemy = new EnemyEasy(50);
    zp::Event freeze;
    freeze.setType("FreezeEvent");

    step();
    p_enemy->eventHandler(&freeze);
    EXPECT_TRUE(p_enemy->isFrozen());
    // Five steps into the freeze a second one changes nothing.
    std::vector<int> moved;
    Position last = p_enemy->getPosition();
    for (int i = 2; i <= 40; ++i) {
        if (i == 7)
            p_enemy->eventHandler(&freeze);
        if (i == 30)
            p_enemy->eventHandler(&freeze);
        step();
        if (i == 20) {
            EXPECT_TRUE(p_enemy->isFrozen());
        }
        if (i == 21) {
            EXPECT_FALSE(p_enemy->isFrozen());
        }
        if (p_enemy->getPosition() != last)
            moved.push_back(i);
        last = p_enemy->getPosition();
    }
    // Frozen from step 2 to 21, the countdown resumes where it stopped: the
    // first move comes 20 steps late, and the freeze after it does nothing.
    EXPECT_EQ(moved, (std::vector<int>{23, 28, 33, 38}));
    EXPECT_FALSE(p_enemy->isFrozen());
}

// A turret's freeze says how long it holds: the steps the enemy stays
// frozen; a freeze of no steps (which would never end) does nothing.
TEST_F(Enemies, AFreezeThatNamesItsLengthHoldsThatLong)
{
    loadEnemySprites();
    loadBoard("long");
    const struct {
        int steps;
        int frozen_for;
    } cases[] = {{20, 20}, {5, 5}, {1, 1}, {33, 33}, {0, 0}, {-4, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        auto* p_enemy = new EnemyEasy(50);
        const EventFreeze freeze(c.steps);
        p_enemy->eventHandler(&freeze);
        int frozen_for = 0;
        for (int i = 0; i < 60 && p_enemy->isFrozen(); ++i) {
            step();
            ++frozen_for;
        }
        EXPECT_EQ(frozen_for, c.frozen_for);
        // Once in a life: a later freeze of any length does nothing.
        const EventFreeze again(50);
        p_enemy->eventHandler(&again);
        EXPECT_EQ(p_enemy->isFrozen(), c.frozen_for == 0);
        zp::WorldManager::getInstance().markForDelete(p_enemy);
        step();
    }
}

TEST_F(Enemies, CostALifeAtEveryMoveTimeAtTheEndOfThePath)
{
    loadEnemySprites();
    loadBoard("short");
    new LivesView(Position(6, 1));
    auto* p_enemy = new EnemyEasy(50);
    // Moves at 3, 8, 13 reach the last position; 18, 23, ... cost a life.
    std::vector<int> lives;
    for (int i = 1; i <= 28; ++i) {
        step();
        lives.push_back(counter("Lives:"));
    }
    std::vector<int> expected(28, 10);
    for (int i = 17; i < 28; ++i)
        expected[i] = i < 22 ? 9 : (i < 27 ? 8 : 7);
    EXPECT_EQ(lives, expected);
    EXPECT_EQ(p_enemy->getPosition(), SHORT_PATH_END);
    EXPECT_EQ(objectsOf<Enemy>().size(), 1u);
}

TEST_F(Enemies, WithoutALevelStandAtTheCornerAndCostLivesFromTheFirstMove)
{
    loadEnemySprites();
    new LivesView(Position(6, 1));
    auto* p_enemy = new EnemyMedium(150);
    EXPECT_EQ(p_enemy->getPosition(), Position(0, 0));
    EXPECT_TRUE(p_enemy->getPath().empty());
    step(2);
    EXPECT_EQ(counter("Lives:"), 10);
    step();
    EXPECT_EQ(counter("Lives:"), 9);
    step(4);
    EXPECT_EQ(counter("Lives:"), 8);
    EXPECT_TRUE(logHas("Enemy::Enemy(): Warning! No level loaded"));
}

TEST_F(Enemies, WithoutTheirSpriteAreLoggedAndStillWalk)
{
    loadBoard("long");
    struct Case {
        Kind kind;
        const char* warning;
    };
    for (const Case& c :
         {Case{Kind::EASY, "EnemyEasy::EnemyEasy(): Warning! Sprite 'enemy-easy' not found"},
          Case{Kind::MEDIUM, "EnemyMedium::EnemyMedium(): Warning! Sprite 'enemy-medium' not found"},
          Case{Kind::HARD, "EnemyHard::EnemyHard(): Warning! Sprite 'enemy-hard' not found"}}) {
        Enemy* p_enemy = makeEnemy(c.kind, 100);
        EXPECT_EQ(p_enemy->getSprite(), nullptr);
        EXPECT_EQ(p_enemy->getSpriteSlowdown(), 0);
        EXPECT_EQ(moveSteps(p_enemy, 3), std::vector<int>{3});
        EXPECT_TRUE(logHas(c.warning)) << c.warning;
        // Only the bar shows.
        EXPECT_EQ(shown(9).substr(10, 7), "]=====[");
        EXPECT_EQ(shown(10).substr(11, 1), " ");
        zp::WorldManager::getInstance().markForDelete(p_enemy);
        step();
    }
}

} // namespace
