/// \file
/// Base of every event handed to an object's eventHandler. Handlers compare
/// the type string with a constant and then downcast, or let eventAs do both.
#pragma once

#include <string>
#include <type_traits>

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

/// The event as an `E` when its type string is E's (`E::eventType()`) and it
/// is an `E`; nullptr for another type, or none:
///
///     if (const auto* p_key = zp::eventAs<zp::EventKeyboard>(p_e))
///         ... p_key->getKey() ...
///
/// A game's own event class takes part by declaring
/// `static const std::string& eventType()`.
template <typename E> const E* eventAs(const Event* p_event)
{
    static_assert(std::is_base_of_v<Event, E>, "eventAs converts to event classes only");
    if (p_event == nullptr || p_event->getType() != E::eventType())
        return nullptr;
    // A plain Event given an engine type string is no E: nullptr, not a bad cast.
    return dynamic_cast<const E*>(p_event);
}

} // namespace zp
