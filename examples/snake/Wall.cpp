#include "Wall.h"

#include "Cell.h"

#include "zp/GraphicsManager.h"

Wall::Wall(zp::Position where)
{
    setType("Wall");
    setBox(ONE_CELL);
    setPosition(where);
}

void Wall::draw()
{
    zp::GraphicsManager::getInstance().drawCh(getPosition(), '#', zp::BLUE);
}
