#include "shop/Info.h"

#include "content/Controls.h"
#include "content/GameEvents.h"
#include "content/SpriteLookup.h"
#include "shop/Build.h"

#include "zp/EventMouse.h"
#include "zp/GameManager.h"
#include "zp/LogManager.h"
#include "zp/ObjectList.h"
#include "zp/ObjectListIterator.h"
#include "zp/ResourceManager.h"
#include "zp/ViewObject.h"
#include "zp/WorldManager.h"

int Info::panel_count = 0;

Info::Info() : panel_index(panel_count++)
{
    setType("Info");
    placeInPanel();
    setPrice(INFO_PRICE_DEFAULT);
}

Info::Info(const TurretKind& kind) : Info()
{
    p_kind = &kind;
    setSpriteOrWarn(*this, kind.panel_sprite, 0, kind.panel_type.c_str(), kind.panel_type.c_str());
    setType(kind.panel_type);
    setPrice(kind.price);
    placeInPanel();
}

Info::~Info()
{
    // All panels leave together when a game ends; the next game's column
    // starts at the top again.
    panel_count = 0;
}

const TurretKind& Info::getKind() const
{
    return *p_kind;
}

void Info::setPrice(int new_price)
{
    price = new_price;
}

int Info::getPrice() const
{
    return price;
}

int Info::getPanelIndex() const
{
    return panel_index;
}

void Info::placeInPanel()
{
    const int width = zp::WorldManager::getInstance().getBoundary().getHorizontal();
    setPosition(zp::Position(width - PANEL_COLUMN_OFFSET, panel_index * PANEL_ROWS));
}

bool Info::contains(zp::Position p) const
{
    // No right edge: the area runs to the edge of the board.
    const zp::Position corner = getPosition();
    return p.getX() >= corner.getX() && p.getY() >= corner.getY() &&
           p.getY() <= corner.getY() + PANEL_ROWS - 1;
}

int Info::eventHandler(const zp::Event* p_e)
{
    if (p_e->getType() != zp::MOUSE_EVENT)
        return 0;
    const auto* p_mouse = static_cast<const zp::EventMouse*>(p_e);
    // The right button sells; while the game is paused the board takes no clicks.
    if (p_mouse->getMouseAction() != zp::CLICKED || p_mouse->getMouseButton() == SELL_BUTTON ||
        zp::GameManager::getInstance().isPaused())
        return 0;
    if (!contains(p_mouse->getMousePosition())) {
        setSpriteIndex(INFO_FRAME_IDLE);
        return 0;
    }

    // Only compared here; the cursor charges the price when it places.
    const zp::ObjectList all = zp::WorldManager::getInstance().getAllObjects();
    for (zp::ObjectListIterator it(&all); !it.isDone(); it.next()) {
        if (it.currentObject()->getType() != CURRENCY_VIEW_TYPE)
            continue;
        const auto* p_currency = dynamic_cast<const zp::ViewObject*>(it.currentObject());
        if (p_currency == nullptr || p_currency->getValue() < price)
            return 0;
        setSpriteIndex(INFO_FRAME_BOUGHT);
        createBuild(getPosition());
    }
    return 0;
}

void Info::createBuild(zp::Position p)
{
    new Build(*p_kind, p);
}
