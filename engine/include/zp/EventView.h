/// \file
/// Changes the number of every view object whose label equals the tag:
/// adds the value when delta is true, replaces it otherwise.
#pragma once

#include "zp/Event.h"

namespace zp {

inline const std::string VIEW_EVENT = "zp::view";

class EventView : public Event {
public:
    /// The type string of this class's events, for eventAs.
    static const std::string& eventType() { return VIEW_EVENT; }

    EventView();
    EventView(std::string tag, int value, bool delta);

    const std::string& getTag() const;
    void setTag(std::string new_tag);
    int getValue() const;
    void setValue(int new_value);
    bool getDelta() const;
    void setDelta(bool new_delta);

private:
    std::string tag;
    int value = 0;
    bool delta = false;
};

} // namespace zp
