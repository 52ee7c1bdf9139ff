#include "Segment.h"

#include "Cell.h"

#include "zp/GraphicsManager.h"

Segment::Segment(zp::Position where)
{
    setType("Segment");
    // Soft: the head may move onto it (and the game ends), it blocks nothing.
    setSolidness(zp::SOFT);
    setBox(ONE_CELL);
    setPosition(where);
}

void Segment::draw()
{
    zp::GraphicsManager::getInstance().drawCh(getPosition(), 'o', zp::GREEN);
}
