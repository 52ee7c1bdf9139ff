#include "enemies/Enemy.h"

#include "content/GameEvents.h"
#include "content/PlayEvents.h"
#include "content/SpriteLookup.h"
#include "enemies/EventFreeze.h"
#include "level/Level.h"
#include "level/LevelManager.h"

#include "zp/EventStep.h"
#include "zp/EventView.h"
#include "zp/GraphicsManager.h"
#include "zp/LogManager.h"
#include "zp/ResourceManager.h"
#include "zp/WorldManager.h"

namespace {

// The health bar spans seven columns, from one left of the enemy; it is
// centred this far right of the enemy's column, one row above it.
const int HEALTH_BAR_OFFSET_X = 2;
const int HEALTH_BAR_OFFSET_Y = -1;
// The bar shows the health in fifths of the maximum.
const int HEALTH_BAR_PARTS = 5;

struct HealthBar {
    const char* text;
    zp::Color color;
};

// The bar for a health of at least the given number of fifths; below 0 the
// bar stays full.
const HealthBar HEALTH_BARS[] = {
    {"]=    [", zp::RED},    {"]==   [", zp::YELLOW}, {"]===  [", zp::YELLOW},
    {"]==== [", zp::YELLOW}, {"]=====[", zp::GREEN},
};
const HealthBar HEALTH_BAR_FULL = {"]=====[", zp::GREEN};

HealthBar healthBar(int health, int max_health)
{
    const int fifth = max_health / HEALTH_BAR_PARTS;
    HealthBar bar = HEALTH_BAR_FULL;
    for (int part = 0; part < HEALTH_BAR_PARTS; ++part)
        if (health >= part * fifth)
            bar = HEALTH_BARS[part];
    return bar;
}

} // namespace

Enemy::Enemy()
{
    setType(ENEMY_TYPE);
    // Without a level the enemy stands at the corner with nowhere to go.
    if (const Level* p_level = LevelManager::getInstance().getLevel()) {
        setPosition(zp::Position(p_level->getEnemyStartX(), p_level->getEnemyStartY()));
        path = p_level->getPath();
    } else {
        zp::LogManager::getInstance().writeLog("Enemy::Enemy(): Warning! No level loaded");
    }
}

Enemy::~Enemy()
{
    zp::WorldManager& world = zp::WorldManager::getInstance();
    const EnemyKilledEvent killed(kind_name, health <= 0);
    world.onEvent(&killed);
    const zp::EventView reward(CURRENCY_TAG, KILL_REWARD, true);
    world.onEvent(&reward);
}

void Enemy::setKindName(const std::string& name)
{
    kind_name = name;
}

const std::string& Enemy::getKindName() const
{
    return kind_name;
}

void Enemy::setHealth(int h)
{
    health = h;
    max_health = h;
}

int Enemy::getHealth() const
{
    return health;
}

int Enemy::getMaxHealth() const
{
    return max_health;
}

void Enemy::setMoveDelay(int d)
{
    move_delay = d;
}

int Enemy::getMoveDelay() const
{
    return move_delay;
}

void Enemy::takeDamage(int amount)
{
    health -= amount;
}

bool Enemy::isFrozen() const
{
    return frozen;
}

const std::vector<zp::Position>& Enemy::getPath() const
{
    return path;
}

int Enemy::eventHandler(const zp::Event* p_e)
{
    if (p_e->getType() == zp::STEP_EVENT)
        step();
    else if (p_e->getType() == FREEZE_EVENT) {
        // A plain "FreezeEvent" holds the enemy for the usual time.
        const auto* p_freeze = dynamic_cast<const EventFreeze*>(p_e);
        freeze(p_freeze != nullptr ? p_freeze->getSteps() : FREEZE_STEPS);
    }
    return 0;
}

void Enemy::draw()
{
    const HealthBar bar = healthBar(health, max_health);
    const zp::Position here = getPosition();
    zp::GraphicsManager::getInstance().drawString(
        zp::Position(here.getX() + HEALTH_BAR_OFFSET_X, here.getY() + HEALTH_BAR_OFFSET_Y), bar.text,
        zp::CENTER_JUSTIFIED, bar.color);
    Object::draw();
}

void Enemy::useSprite(const std::string& label, const char* kind)
{
    setSpriteOrWarn(*this, label, ENEMY_SPRITE_SLOWDOWN, kind, label.c_str());
}

void Enemy::step()
{
    // A dead enemy still takes this step: it may move or cost a life once more.
    if (health <= 0)
        zp::WorldManager::getInstance().markForDelete(this);

    if (!frozen) {
        if (--move_countdown < 0) {
            move_countdown = move_delay;
            if (!path.empty()) {
                setPosition(path.front());
                path.erase(path.begin());
            } else {
                const zp::EventView life_lost(LIVES_TAG, -1, true);
                zp::WorldManager::getInstance().onEvent(&life_lost);
            }
        }
    } else if (--freeze_countdown == 0) {
        frozen = false;
        freeze_used = true;
    }
}

void Enemy::freeze(int steps)
{
    // Once in a life: a freeze that runs, or has run, is not started again.
    // A freeze of no steps would never end.
    if (freeze_used || frozen || steps <= 0)
        return;
    frozen = true;
    freeze_countdown = steps;
}
