#include "Rock.h"

#include "zp/EventOut.h"
#include "zp/EventView.h"
#include "zp/ResourceManager.h"
#include "zp/WorldManager.h"

Rock::Rock(int column)
{
    setType("Rock");
    setSprite(zp::ResourceManager::getInstance().getSprite("rock"));
    setSpriteSlowdown(4); // a new frame every 4 steps
    // The sprite made the box 3 x 1; a box covers one cell more each way
    // for collisions, so it is set to the cells drawn.
    setBox(zp::Box(zp::Position(0, 0), 2, 0));
    setPosition(zp::Position(column, 1));
    setYVelocity(0.5f); // one row every second step
    setSolidness(zp::SOFT);
}

int Rock::eventHandler(const zp::Event* p_e)
{
    if (zp::eventAs<zp::EventOut>(p_e) != nullptr) {
        // Below the screen: one more dodged, and this rock is done.
        const zp::EventView dodged("Dodged:", 1, true);
        zp::WorldManager::getInstance().onEvent(&dodged);
        zp::WorldManager::getInstance().markForDelete(this);
        return 1;
    }
    return 0;
}
