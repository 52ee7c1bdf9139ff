#include "Snake.h"

#include "Cell.h"
#include "Food.h"
#include "Round.h"
#include "Segment.h"

#include "zp/EventCollision.h"
#include "zp/EventKeyboard.h"
#include "zp/EventTimer.h"
#include "zp/EventView.h"
#include "zp/GraphicsManager.h"
#include "zp/Keys.h"
#include "zp/WorldManager.h"

#include <cstdlib>

namespace {

const int FIRST_STEPS_PER_MOVE = 4;
const int FASTEST_STEPS_PER_MOVE = 2;
const int START_LENGTH = 4;
const int GROWTH_PER_FOOD = 2;
const int POINTS_PER_FOOD = 10;
// Every this many points the snake speeds up.
const int POINTS_PER_SPEED_UP = 50;
const char* const MOVE_TIMER = "move";

const Snake* p_current = nullptr;

} // namespace

const Snake* currentSnake()
{
    return p_current;
}

Snake::Snake(zp::Position start, bool new_autopilot)
    : steps_per_move(FIRST_STEPS_PER_MOVE), autopilot(new_autopilot)
{
    setType("Snake");
    setBox(ONE_CELL);
    setPosition(start);
    for (int i = 1; i < START_LENGTH; ++i)
        body.push_back(new Segment(zp::Position(start.getX() - i, start.getY())));
    startTimer(MOVE_TIMER, steps_per_move, true);
    p_current = this;
}

Snake::~Snake()
{
    if (p_current == this)
        p_current = nullptr;
}

int Snake::getScore() const
{
    return score;
}

int Snake::eventHandler(const zp::Event* p_e)
{
    if (const auto* p_key = zp::eventAs<zp::EventKeyboard>(p_e)) {
        if (p_key->getKeyboardAction() != zp::KEY_PRESSED || autopilot)
            return 0;
        switch (p_key->getKey()) {
        case zp::Key::LEFT:
            turn(-1, 0);
            break;
        case zp::Key::RIGHT:
            turn(1, 0);
            break;
        case zp::Key::UP:
            turn(0, -1);
            break;
        case zp::Key::DOWN:
            turn(0, 1);
            break;
        default:
            return 0;
        }
        return 1;
    }
    if (const auto* p_timer = zp::eventAs<zp::EventTimer>(p_e)) {
        if (p_timer->getName() == MOVE_TIMER)
            move();
        return 1;
    }
    if (const auto* p_collision = zp::eventAs<zp::EventCollision>(p_e)) {
        // Only the head's own moves count: the world also reports it standing still.
        const zp::Object* p_other =
            p_collision->getObject1() == this ? p_collision->getObject2() : p_collision->getObject1();
        if (p_other->getType() == "Food")
            ate = true;
        else if (p_other->getType() == "Wall" || p_other->getType() == "Segment")
            crashed = true;
        return 1;
    }
    return 0;
}

void Snake::turn(int new_dx, int new_dy)
{
    // Never straight back into the neck.
    if (new_dx == -dx && new_dy == -dy)
        return;
    next_dx = new_dx;
    next_dy = new_dy;
}

bool Snake::isFree(zp::Position where) const
{
    for (zp::Object* p_o : zp::WorldManager::getInstance().getCollisions(this, where))
        if (p_o->getType() == "Wall" || p_o->getType() == "Segment")
            return false;
    return true;
}

void Snake::steer()
{
    const zp::Object* p_food = nullptr;
    for (zp::Object* p_o : zp::WorldManager::getInstance().getAllObjects())
        if (p_o->getType() == "Food")
            p_food = p_o;
    if (p_food == nullptr)
        return;
    const zp::Position here = getPosition(), food = p_food->getPosition();
    // Ahead, then left, then right: ties go to the first.
    const int choices[3][2] = {{dx, dy}, {dy, -dx}, {-dy, dx}};
    int best = -1;
    int best_distance = 0;
    for (int i = 0; i < 3; ++i) {
        const zp::Position next(here.getX() + choices[i][0], here.getY() + choices[i][1]);
        if (!isFree(next))
            continue;
        const int distance = std::abs(food.getX() - next.getX()) + std::abs(food.getY() - next.getY());
        if (best < 0 || distance < best_distance) {
            best = i;
            best_distance = distance;
        }
    }
    if (best >= 0)
        turn(choices[best][0], choices[best][1]);
}

void Snake::move()
{
    if (autopilot)
        steer();
    dx = next_dx;
    dy = next_dy;
    const zp::Position here = getPosition();
    // The body follows first: the tail's cell is free for the head.
    if (growth > 0) {
        body.push_front(new Segment(here));
        --growth;
    } else if (!body.empty()) {
        Segment* p_tail = body.back();
        body.pop_back();
        p_tail->setPosition(here);
        body.push_front(p_tail);
    }
    ate = false;
    crashed = false;
    zp::WorldManager::getInstance().moveObject(this, zp::Position(here.getX() + dx, here.getY() + dy));
    if (crashed) {
        stopTimer(MOVE_TIMER);
        p_current = nullptr;
        endRound(score, autopilot);
        return;
    }
    if (!ate)
        return;
    score += POINTS_PER_FOOD;
    growth += GROWTH_PER_FOOD;
    const zp::EventView points("Score:", POINTS_PER_FOOD, true);
    zp::WorldManager::getInstance().onEvent(&points);
    for (zp::Object* p_o : zp::WorldManager::getInstance().getAllObjects())
        if (p_o->getType() == "Food")
            static_cast<Food*>(p_o)->placeAtRandom();
    if (score % POINTS_PER_SPEED_UP == 0 && steps_per_move > FASTEST_STEPS_PER_MOVE) {
        --steps_per_move;
        startTimer(MOVE_TIMER, steps_per_move, true);
    }
}

void Snake::draw()
{
    zp::GraphicsManager::getInstance().drawCh(getPosition(), '@', zp::GREEN);
}
