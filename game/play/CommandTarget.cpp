#include "play/CommandTarget.h"

#include "content/Controls.h"
#include "shop/Build.h"
#include "turrets/Turret.h"

#include "zp/EventMouse.h"
#include "zp/ObjectList.h"
#include "zp/ObjectListIterator.h"
#include "zp/WorldManager.h"

void CommandTarget::handle(const zp::Event* p_e)
{
    if (p_e->getType() != zp::MOUSE_EVENT)
        return;
    const auto* p_mouse = static_cast<const zp::EventMouse*>(p_e);
    if (p_mouse->getMouseAction() != zp::CLICKED || p_mouse->getMouseButton() != SELECT_BUTTON)
        return;
    // A click while carrying places (or cancels) the turret carried.
    select(carriedBuild() == nullptr ? turretAt(p_mouse->getMousePosition()) : nullptr);
}

void CommandTarget::select(const Turret* p_turret)
{
    selected_id = p_turret != nullptr ? p_turret->getId() : NO_SELECTION;
}

void CommandTarget::clear()
{
    select(nullptr);
}

Turret* CommandTarget::turret() const
{
    if (selected_id == NO_SELECTION)
        return nullptr;
    const zp::ObjectList all = zp::WorldManager::getInstance().getAllObjects();
    for (zp::ObjectListIterator it(&all); !it.isDone(); it.next()) {
        if (it.currentObject()->getId() != selected_id)
            continue;
        auto* p_turret = dynamic_cast<Turret*>(it.currentObject());
        return p_turret != nullptr && !p_turret->isSold() ? p_turret : nullptr;
    }
    return nullptr;
}

Turret* turretAt(zp::Position cell)
{
    const zp::ObjectList all = zp::WorldManager::getInstance().getAllObjects();
    for (zp::ObjectListIterator it(&all); !it.isDone(); it.next()) {
        auto* p_turret = dynamic_cast<Turret*>(it.currentObject());
        if (p_turret != nullptr && !p_turret->isSold() && p_turret->covers(cell))
            return p_turret;
    }
    return nullptr;
}
