#include "zp/Manager.h"

#include "LoopThread.h"

#include "zp/Object.h"
#include "zp/ObjectListIterator.h"
#include "zp/WorldManager.h"

namespace zp {

Manager::Manager()
{
    Manager::startUp();
}

Manager::~Manager()
{
    Manager::shutDown();
}

int Manager::startUp()
{
    is_started = true;
    return 0;
}

void Manager::shutDown()
{
    is_started = false;
}

std::string Manager::getType() const
{
    return type;
}

void Manager::setType(std::string new_type)
{
    type = std::move(new_type);
}

bool Manager::isStarted() const
{
    return is_started;
}

void Manager::onEvent(const Event* p_event) const
{
    ZP_LOOP_THREAD_ONLY("Manager::onEvent");
    // A snapshot, so handlers may create or mark objects during delivery.
    const ObjectList all = WorldManager::getInstance().getAllObjects();
    for (ObjectListIterator it(&all); !it.isDone(); it.next())
        it.currentObject()->eventHandler(p_event);
}

} // namespace zp
