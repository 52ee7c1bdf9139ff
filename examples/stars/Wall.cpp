#include "Wall.h"

#include "zp/Color.h"
#include "zp/GraphicsManager.h"

Wall::Wall(zp::Position where)
{
    setType("Wall");
    setPosition(where);
}

void Wall::draw()
{
    zp::GraphicsManager::getInstance().drawCh(getPosition(), '#', zp::BLUE);
}
