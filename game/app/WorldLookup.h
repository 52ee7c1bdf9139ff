// Looking things up in the world from outside play, as the game's tools and
// tests do (the soak, the fuzz targets, the play tests): the objects of one
// class, and the counters by the tag they show.
#pragma once

#include "zp/ObjectList.h"
#include "zp/ObjectListIterator.h"
#include "zp/ViewObject.h"
#include "zp/WorldManager.h"

#include <string>
#include <vector>

// The objects of the world that are of class T, in world order.
template <class T> std::vector<T*> objectsOf()
{
    std::vector<T*> found;
    const zp::ObjectList all = zp::WorldManager::getInstance().getAllObjects();
    for (zp::ObjectListIterator it(&all); !it.isDone(); it.next())
        if (auto* p_t = dynamic_cast<T*>(it.currentObject()))
            found.push_back(p_t);
    return found;
}

// The counters that show this tag ("Currency:"), in world order.
inline std::vector<zp::ViewObject*> countersTagged(const std::string& tag)
{
    std::vector<zp::ViewObject*> found;
    for (zp::ViewObject* p_view : objectsOf<zp::ViewObject>())
        if (p_view->getViewString() == tag)
            found.push_back(p_view);
    return found;
}

// The value of the first counter with this tag; -1 when none shows.
inline int counterValue(const std::string& tag)
{
    const std::vector<zp::ViewObject*> found = countersTagged(tag);
    return found.empty() ? -1 : found.front()->getValue();
}
