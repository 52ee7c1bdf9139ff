#include "Player.h"

#include "Star.h"

#include "zp/EventCollision.h"
#include "zp/EventKeyboard.h"
#include "zp/EventStep.h"
#include "zp/EventView.h"
#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/Keys.h"
#include "zp/ObjectListIterator.h"
#include "zp/ResourceManager.h"
#include "zp/Sound.h"
#include "zp/WorldManager.h"

namespace {

// The field inside the walls: columns 1 ... 78, rows 3 ... 22.
const int FIELD_LEFT = 1, FIELD_RIGHT = 78, FIELD_TOP = 3, FIELD_BOTTOM = 22;

zp::Object* findStar()
{
    const zp::ObjectList objects = zp::WorldManager::getInstance().getAllObjects();
    for (zp::ObjectListIterator it(&objects); !it.isDone(); it.next())
        if (it.currentObject()->getType() == "Star")
            return it.currentObject();
    return nullptr;
}

int towards(int from, int to)
{
    return to > from ? 1 : (to < from ? -1 : 0);
}

} // namespace

void placeStar()
{
    // Tried at random cells until nothing solid stands under it.
    Star* p_star = new Star(zp::Position(FIELD_LEFT, FIELD_TOP));
    for (int attempt = 0; attempt < 1000; ++attempt) {
        zp::Random& random = zp::GameManager::getInstance().getRandom();
        const zp::Position where(random.between(FIELD_LEFT, FIELD_RIGHT),
                                 random.between(FIELD_TOP, FIELD_BOTTOM));
        p_star->setPosition(where);
        if (zp::WorldManager::getInstance().getCollisions(p_star, where).isEmpty())
            return;
    }
}

Player::Player(zp::Position where, int steps) : autoplay_steps(steps)
{
    setType("Player");
    setPosition(where);
}

int Player::eventHandler(const zp::Event* p_event)
{
    if (p_event->getType() == zp::KEYBOARD_EVENT) {
        const auto* p_key = static_cast<const zp::EventKeyboard*>(p_event);
        if (p_key->getKeyboardAction() != zp::KEY_PRESSED)
            return 0;
        switch (p_key->getKey()) {
        case zp::Key::LEFT:
            move(-1, 0);
            break;
        case zp::Key::RIGHT:
            move(1, 0);
            break;
        case zp::Key::UP:
            move(0, -1);
            break;
        case zp::Key::DOWN:
            move(0, 1);
            break;
        case zp::Key::Q:
            zp::GameManager::getInstance().setGameOver();
            break;
        default:
            break;
        }
        return 1;
    }
    if (p_event->getType() == zp::COLLISION_EVENT) {
        const auto* p_collision = static_cast<const zp::EventCollision*>(p_event);
        zp::Object* p_other =
            p_collision->getObject1() == this ? p_collision->getObject2() : p_collision->getObject1();
        if (p_other->getType() == "Star")
            catchStar(p_other);
        return 1;
    }
    if (p_event->getType() == zp::STEP_EVENT && autoplay_steps > 0) {
        walkToStar();
        if (--autoplay_steps == 0)
            zp::GameManager::getInstance().setGameOver();
        return 1;
    }
    return 0;
}

bool Player::move(int dx, int dy)
{
    const zp::Position here = getPosition();
    // A wall (hard, like the player) blocks the move; a star does not.
    return zp::WorldManager::getInstance().moveObject(this,
                                                      zp::Position(here.getX() + dx, here.getY() + dy)) == 0;
}

void Player::walkToStar()
{
    const zp::Object* p_star = findStar();
    if (p_star == nullptr)
        return;
    const zp::Position here = getPosition(), there = p_star->getPosition();
    const int dx = towards(here.getX(), there.getX());
    const int dy = towards(here.getY(), there.getY());
    // Across first; a wall in the way is walked round downwards.
    if (dx == 0 || !move(dx, 0))
        move(0, dy != 0 ? dy : 1);
}

void Player::catchStar(zp::Object* p_star)
{
    zp::WorldManager::getInstance().markForDelete(p_star);
    const zp::EventView more("Stars:", 1, true);
    zp::WorldManager::getInstance().onEvent(&more);
    if (zp::Sound* p_chime = zp::ResourceManager::getInstance().getSound("chime"))
        p_chime->play();
    ++caught;
    placeStar();
}

void Player::draw()
{
    zp::GraphicsManager::getInstance().drawCh(getPosition(), '@', zp::GREEN);
}

int Player::getCaught() const
{
    return caught;
}
