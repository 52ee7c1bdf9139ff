#include "shop/Build.h"

#include "content/GameEvents.h"
#include "content/SpriteLookup.h"
#include "turrets/Gatling.h"
#include "turrets/TurretKinds.h"

#include "zp/EventCollision.h"
#include "zp/EventMouse.h"
#include "zp/EventView.h"
#include "zp/LogManager.h"
#include "zp/ObjectList.h"
#include "zp/ResourceManager.h"
#include "zp/WorldManager.h"

Build::Build()
{
    setType("Build");
    setSolidness(zp::SOFT);
    setAltitude(BUILD_ALTITUDE);
}

Build::~Build() = default;

void Build::setPrice(int new_price)
{
    price = new_price;
}

int Build::getPrice() const
{
    return price;
}

int Build::eventHandler(const zp::Event* p_e)
{
    // The world reports an overlap on every update while the cursor stands on it.
    if (p_e->getType() == zp::COLLISION_EVENT) {
        setSpriteIndex(BUILD_FRAME_BLOCKED);
        return 0;
    }
    if (p_e->getType() != zp::MOUSE_EVENT)
        return 0;

    const auto* p_mouse = static_cast<const zp::EventMouse*>(p_e);
    if (p_mouse->getMouseAction() == zp::MOVED) {
        setPosition(p_mouse->getMousePosition());
        setSpriteIndex(BUILD_FRAME_MOVING);
        return 1;
    }
    if (p_mouse->getMouseAction() != zp::CLICKED)
        return 0;

    // Either way the purchase ends with this click.
    zp::WorldManager& world = zp::WorldManager::getInstance();
    world.markForDelete(this);
    if (!world.getCollisions(this, getPosition()).isEmpty())
        return 0;
    placeTurret(getPosition());
    const zp::EventView charge(CURRENCY_TAG, -price, true);
    world.onEvent(&charge);
    return 1;
}

void Build::placeTurret(zp::Position p)
{
    new Gatling(p);
}

void Build::becomeKind(const TurretKind& kind, zp::Position p)
{
    setType(kind.build_type);
    setSpriteOrWarn(*this, kind.build_sprite, 0, kind.build_type.c_str(), kind.build_sprite_warning.c_str());
    setPosition(p);
    setPrice(kind.price);
}
