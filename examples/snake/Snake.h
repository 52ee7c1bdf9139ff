// The snake's head, which owns its body. It moves a cell every few world
// steps (a repeating timer) in the direction the arrow keys last chose,
// eats the food it moves onto, and dies on the wall or on its own body.
#pragma once

#include "zp/Object.h"

#include <deque>

class Segment;

class Snake : public zp::Object {
public:
    Snake(zp::Position start, bool autopilot);
    ~Snake() override;
    int eventHandler(const zp::Event* p_e) override;
    void draw() override;

    int getScore() const;

private:
    void turn(int new_dx, int new_dy);
    void move();
    // The autopilot's choice: the free direction that leads nearest the food.
    void steer();
    bool isFree(zp::Position where) const;

    std::deque<Segment*> body; // from the neck to the tail
    int dx = 1;
    int dy = 0;
    // The direction asked for since the last move.
    int next_dx = 1;
    int next_dy = 0;
    int steps_per_move;
    int growth = 0;
    int score = 0;
    bool ate = false;
    bool crashed = false;
    bool autopilot;
};

// The snake of the round under way, or nullptr.
const Snake* currentSnake();
