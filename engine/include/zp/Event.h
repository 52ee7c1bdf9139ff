/// \file
/// Base of every event handed to an object's eventHandler. Handlers compare
/// the type string with a constant and then downcast.
#pragma once

#include <string>

namespace zp {

inline const std::string UNDEFINED_EVENT = "zp::undefined";

class Event {
public:
    Event();
    virtual ~Event();

    void setType(std::string new_type);
    const std::string& getType() const;

private:
    std::string event_type;
};

} // namespace zp
