#include "zp/Event.h"

namespace zp {

Event::Event() : event_type(UNDEFINED_EVENT)
{
}

Event::~Event() = default;

void Event::setType(std::string new_type)
{
    event_type = std::move(new_type);
}

const std::string& Event::getType() const
{
    return event_type;
}

} // namespace zp
