/// \file
/// Base of every engine service: a named singleton with start-up and
/// shut-down, and a broadcast of events to every object in the world.
#pragma once

#include <string>

namespace zp {

class Event;

class Manager {
public:
    Manager(const Manager&) = delete;
    Manager& operator=(const Manager&) = delete;
    virtual ~Manager();

    /// Derived start-ups do their own work first and call this last, on success only.
    virtual int startUp();
    /// Derived shut-downs release their resources first and call this last.
    virtual void shutDown();

    std::string getType() const;
    void setType(std::string new_type);
    bool isStarted() const;

    /// Hands the event to every object in the world, in world order. Objects
    /// created by a handler meanwhile do not receive this event.
    void onEvent(const Event* p_event) const;

protected:
    Manager();

private:
    std::string type;
    bool is_started = false;
};

} // namespace zp
