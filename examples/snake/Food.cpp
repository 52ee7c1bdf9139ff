#include "Food.h"

#include "Cell.h"

#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/WorldManager.h"

namespace {

const int RANDOM_TRIES = 200;

} // namespace

Food::Food()
{
    setType("Food");
    setSolidness(zp::SOFT);
    setBox(ONE_CELL);
    placeAtRandom();
}

void Food::placeAtRandom()
{
    zp::Random& random = zp::GameManager::getInstance().getRandom();
    const zp::WorldManager& world = zp::WorldManager::getInstance();
    for (int attempt = 0; attempt < RANDOM_TRIES; ++attempt) {
        const zp::Position where(random.between(FIELD_LEFT, FIELD_RIGHT),
                                 random.between(FIELD_TOP, FIELD_BOTTOM));
        if (world.getCollisions(this, where).isEmpty()) {
            setPosition(where);
            return;
        }
    }
    // A nearly full field: the first free cell.
    for (int y = FIELD_TOP; y <= FIELD_BOTTOM; ++y)
        for (int x = FIELD_LEFT; x <= FIELD_RIGHT; ++x)
            if (world.getCollisions(this, zp::Position(x, y)).isEmpty()) {
                setPosition(zp::Position(x, y));
                return;
            }
}

void Food::draw()
{
    zp::GraphicsManager::getInstance().drawCh(getPosition(), '*', zp::YELLOW);
}
