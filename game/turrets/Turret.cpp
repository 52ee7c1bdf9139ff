#include "turrets/Turret.h"

#include "content/Controls.h"
#include "content/GameEvents.h"
#include "content/PlayEvents.h"
#include "content/SpriteLookup.h"
#include "enemies/Enemy.h"
#include "enemies/EventFreeze.h"
#include "hud/CurrencyView.h"

#include "zp/EventMouse.h"
#include "zp/EventStep.h"
#include "zp/EventView.h"
#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/LogManager.h"
#include "zp/ObjectList.h"
#include "zp/ObjectListIterator.h"
#include "zp/ResourceManager.h"
#include "zp/Sound.h"
#include "zp/Utility.h"
#include "zp/WorldManager.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace {

// The sprite frame that faces a direction given in whole degrees (0 right,
// 90 down, truncated toward zero): frame 0 aims up, 2 right, 4 down, 6 left,
// the odd frames the diagonals between, clockwise.
struct AimSector {
    int from;
    int to;
    int frame;
};

const AimSector AIM_SECTORS[] = {
    {-21, 21, 2},    {22, 66, 3},     {67, 111, 4},   {112, 156, 5}, {157, 180, 6},
    {-180, -157, 6}, {-156, -112, 7}, {-111, -67, 0}, {-66, -22, 1},
};
const int AIM_FRAME_RIGHT = 2;

// A sale is heard as the Rocket's explosion: the game has no sound of its own for it.
const std::string& SELL_SOUND = ROCKET_KIND.sound;

int aimFrame(int degrees)
{
    for (const AimSector& sector : AIM_SECTORS)
        if (degrees >= sector.from && degrees <= sector.to)
            return sector.frame;
    return AIM_FRAME_RIGHT;
}

// The objects in the list that really are enemies, in the list's order.
std::vector<Enemy*> enemiesIn(const zp::ObjectList& list)
{
    std::vector<Enemy*> enemies;
    for (zp::ObjectListIterator it(&list); !it.isDone(); it.next())
        if (auto* p_enemy = dynamic_cast<Enemy*>(it.currentObject()))
            enemies.push_back(p_enemy);
    return enemies;
}

const zp::Color MARK_COLOR = zp::YELLOW;

} // namespace

Turret::Turret()
{
    setType("Turret");
    setSolidness(zp::SOFT);
}

Turret::Turret(const TurretKind& kind, zp::Position p) : Turret()
{
    p_kind = &kind;
    setType(kind.turret_type);
    setSpriteOrWarn(*this, kind.turret_sprite, TURRET_IDLE_SLOWDOWN, kind.turret_type.c_str(),
                    kind.turret_sprite_warning.c_str());
    useStats(kind.base);
    setPrice(kind.price);
    setPosition(p);
}

Turret::~Turret() = default;

const TurretKind* Turret::getKind() const
{
    return p_kind;
}

void Turret::setRange(int new_range)
{
    range = new_range;
}

int Turret::getRange() const
{
    return range;
}

void Turret::setDamage(int new_damage)
{
    damage = new_damage;
}

int Turret::getDamage() const
{
    return damage;
}

void Turret::setFireRate(int new_fire_rate)
{
    fire_rate = new_fire_rate;
}

int Turret::getFireRate() const
{
    return fire_rate;
}

int Turret::getFireCountdown() const
{
    return fire_countdown;
}

void Turret::setFreezeSteps(int new_freeze_steps)
{
    freeze_steps = new_freeze_steps;
}

int Turret::getFreezeSteps() const
{
    return freeze_steps;
}

void Turret::setPrice(int new_price)
{
    price = new_price;
}

int Turret::getPrice() const
{
    return price;
}

int Turret::getUpgradeLevel() const
{
    return upgrade_level;
}

const TurretUpgrade* Turret::nextUpgrade() const
{
    if (p_kind == nullptr || upgrade_level >= TURRET_UPGRADE_LEVELS)
        return nullptr;
    return &p_kind->upgrades[static_cast<std::size_t>(upgrade_level)];
}

bool Turret::upgrade()
{
    const TurretUpgrade* p_next = nextUpgrade();
    if (p_next == nullptr || sold || zp::GameManager::getInstance().isPaused() ||
        !currencyCovers(p_next->cost))
        return false;
    const zp::EventView charge(CURRENCY_TAG, -p_next->cost, true);
    zp::WorldManager::getInstance().onEvent(&charge);
    ++upgrade_level;
    upgrades_spent += p_next->cost;
    useStats(p_next->stats);
    return true;
}

int Turret::getSpent() const
{
    return price + upgrades_spent;
}

bool Turret::isSold() const
{
    return sold;
}

void Turret::setTargetMode(TargetMode new_mode)
{
    target_mode = new_mode;
}

TargetMode Turret::getTargetMode() const
{
    return target_mode;
}

void Turret::cycleTargetMode()
{
    target_mode = nextTargetMode(target_mode);
}

int Turret::eventHandler(const zp::Event* p_e)
{
    if (p_e->getType() == zp::STEP_EVENT)
        updateTargeting();
    if (p_e->getType() == zp::MOUSE_EVENT) {
        const auto* p_mouse = static_cast<const zp::EventMouse*>(p_e);
        // While paused a sold turret would stay on the board until the next update.
        if (p_mouse->getMouseAction() == zp::CLICKED && p_mouse->getMouseButton() == SELL_BUTTON &&
            covers(p_mouse->getMousePosition()) && !zp::GameManager::getInstance().isPaused())
            sell();
    }
    return 0;
}

void Turret::draw()
{
    Object::draw();
    const zp::Box covered = zp::getWorldBox(this);
    const int right = covered.getCorner().getX() + covered.getHorizontal();
    const int top = covered.getCorner().getY();
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    if (target_mode != TargetMode::FIRST)
        graphics.drawCh(zp::Position(right, top), targetModeLetter(target_mode), MARK_COLOR);
    if (upgrade_level > 0)
        graphics.drawCh(zp::Position(right, top + 1), static_cast<char>('0' + upgrade_level), MARK_COLOR);
}

void Turret::sell()
{
    // A marked turret still gets this frame's events: it must not pay twice.
    if (sold)
        return;
    sold = true;
    zp::WorldManager& world = zp::WorldManager::getInstance();
    world.markForDelete(this);
    const zp::EventView refund(CURRENCY_TAG, getSpent() / SELL_REFUND_DIVISOR, true);
    world.onEvent(&refund);
    const TurretEvent sale(TURRET_SOLD_EVENT, getType());
    world.onEvent(&sale);
    if (zp::Sound* p_sound = zp::ResourceManager::getInstance().getSound(SELL_SOUND))
        p_sound->play(false);
    else
        zp::LogManager::getInstance().writeLog("%s::sell(): Warning! Sound '%s' not found", getType().c_str(),
                                               SELL_SOUND.c_str());
}

bool Turret::covers(zp::Position cell) const
{
    // Any int may come as a cell: the differences are taken in 64 bits.
    const zp::Box covered = zp::getWorldBox(this);
    const std::int64_t x = std::int64_t(cell.getX()) - covered.getCorner().getX();
    const std::int64_t y = std::int64_t(cell.getY()) - covered.getCorner().getY();
    return x >= 0 && x < covered.getHorizontal() && y >= 0 && y < covered.getVertical();
}

void Turret::fire(Enemy* p_target)
{
    if (p_kind != nullptr)
        playKindSound();
    if (freeze_steps > 0) {
        // Only the target hears of the freeze.
        const EventFreeze freeze(freeze_steps);
        p_target->eventHandler(&freeze);
    }
    p_target->takeDamage(damage);
    fire_countdown = fire_rate;
}

void Turret::updateTargeting()
{
    if (--fire_countdown < 0)
        fire_countdown = 0;

    const std::unique_ptr<zp::ObjectList> in_range =
        zp::WorldManager::getInstance().getObjectsInRange(*this, range, ENEMY_TYPE);
    // The world lists objects in creation order: the oldest first.
    Enemy* p_target = pickTarget(enemiesIn(*in_range), getPosition(), target_mode);
    if (p_target == nullptr) {
        setSpriteSlowdown(TURRET_IDLE_SLOWDOWN);
        return;
    }

    setSpriteIndex(aimFrame(zp::angle(getPosition(), p_target->getPosition())));
    setSpriteSlowdown(0);
    if (fire_countdown == 0)
        fire(p_target);
}

void Turret::useStats(const TurretStats& stats)
{
    setRange(stats.range);
    setDamage(stats.damage);
    setFireRate(stats.fire_rate);
    setFreezeSteps(stats.freeze_steps);
}

void Turret::playKindSound() const
{
    zp::Sound* p_sound = zp::ResourceManager::getInstance().getSound(p_kind->sound);
    if (p_sound == nullptr) {
        zp::LogManager::getInstance().writeLog("%s::fire(): Warning! Sound '%s' not found",
                                               p_kind->turret_type.c_str(), p_kind->sound.c_str());
        return;
    }
    p_sound->play(false);
}
