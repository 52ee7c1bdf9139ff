// What the snake eats. It moves to a free cell of the field, chosen with the
// engine's random numbers, whenever it is eaten.
#pragma once

#include "zp/Object.h"

class Food : public zp::Object {
public:
    Food();
    /// A random cell where nothing else stands.
    void placeAtRandom();
    void draw() override;
};
