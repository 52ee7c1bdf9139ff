#include "Star.h"

#include "zp/Color.h"
#include "zp/GraphicsManager.h"

Star::Star(zp::Position where)
{
    setType("Star");
    setSolidness(zp::SOFT);
    setPosition(where);
}

void Star::draw()
{
    zp::GraphicsManager::getInstance().drawCh(getPosition(), '*', zp::YELLOW);
}
