#include "play/CommandTarget.h"

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
    if (p_mouse->getMouseAction() != zp::MOVED)
        return;
    pointer = p_mouse->getMousePosition();
    pointer_known = true;
}

Turret* CommandTarget::turret() const
{
    return pointer_known ? turretAt(pointer) : nullptr;
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
