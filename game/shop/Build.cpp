#include "shop/Build.h"

#include "content/Controls.h"
#include "content/GameEvents.h"
#include "content/PlayEvents.h"
#include "content/SpriteLookup.h"
#include "hud/HudLayout.h"
#include "turrets/Turret.h"

#include "zp/EventCollision.h"
#include "zp/EventMouse.h"
#include "zp/EventView.h"
#include "zp/GameManager.h"
#include "zp/LogManager.h"
#include "zp/ObjectList.h"
#include "zp/ObjectListIterator.h"
#include "zp/ResourceManager.h"
#include "zp/Utility.h"
#include "zp/WorldManager.h"

#include <cstdint>

Build::Build()
{
    setType("Build");
    setSolidness(zp::SOFT);
    setAltitude(BUILD_ALTITUDE);
}

Build::Build(const TurretKind& kind, zp::Position p) : Build()
{
    p_kind = &kind;
    setType(kind.build_type);
    setSpriteOrWarn(*this, kind.build_sprite, 0, kind.build_type.c_str(), kind.build_sprite_warning.c_str());
    setPosition(p);
    setPrice(kind.price);
}

Build::~Build() = default;

const TurretKind& Build::getKind() const
{
    return *p_kind;
}

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
        setSpriteIndex(fitsPlayingField(getPosition()) ? BUILD_FRAME_MOVING : BUILD_FRAME_BLOCKED);
        return 1;
    }
    // The right button sells; while the game is paused the board takes no
    // clicks (the cursor would only leave at the next update).
    if (p_mouse->getMouseAction() != zp::CLICKED || p_mouse->getMouseButton() == SELL_BUTTON ||
        zp::GameManager::getInstance().isPaused())
        return 0;

    return place();
}

int Build::place()
{
    zp::WorldManager& world = zp::WorldManager::getInstance();
    const bool free = world.getCollisions(this, getPosition()).isEmpty() && fitsPlayingField(getPosition());
    // Either way the purchase ends here.
    finish();
    if (!free)
        return 0;
    placeTurret(getPosition());
    const zp::EventView charge(CURRENCY_TAG, -price, true);
    world.onEvent(&charge);
    const TurretEvent built(TURRET_BUILT_EVENT, builtTurretType());
    world.onEvent(&built);
    return 1;
}

void Build::drop()
{
    finish();
}

bool Build::isFinished() const
{
    return finished;
}

void Build::finish()
{
    // The cursor leaves the world at once (it is deleted at the update): one
    // whose purchase has ended takes no further clicks. Left in, every
    // cancelled cursor of a frame would handle every later click of the
    // frame, and a flood of clicks on a panel (each making a cursor) would
    // cost their cube.
    finished = true;
    zp::WorldManager& world = zp::WorldManager::getInstance();
    world.removeObject(this);
    world.markForDelete(this);
}

bool Build::fitsPlayingField(zp::Position p) const
{
    // Any int may come as a position: the sums are taken in 64 bits.
    using Wide = std::int64_t;
    const zp::Box cursor = zp::getWorldBox(this, p);
    const zp::Box board = zp::WorldManager::getInstance().getBoundary();
    const Wide left = cursor.getCorner().getX();
    const Wide top = cursor.getCorner().getY();
    const Wide board_left = board.getCorner().getX();
    const Wide board_top = board.getCorner().getY();
    return left >= board_left && top >= board_top + FIELD_TOP_ROW &&
           left + cursor.getHorizontal() <= board_left + board.getHorizontal() &&
           top + cursor.getVertical() <= board_top + board.getVertical();
}

void Build::placeTurret(zp::Position p)
{
    new Turret(*p_kind, p);
}

Build* carriedBuild()
{
    const zp::ObjectList all = zp::WorldManager::getInstance().getAllObjects();
    for (zp::ObjectListIterator it(&all); !it.isDone(); it.next()) {
        auto* p_build = dynamic_cast<Build*>(it.currentObject());
        if (p_build != nullptr && !p_build->isFinished())
            return p_build;
    }
    return nullptr;
}

std::string Build::builtTurretType() const
{
    return p_kind->turret_type;
}
