#include "zp/EventView.h"

#include <utility>

namespace zp {

EventView::EventView() : tag(VIEW_EVENT)
{
    setType(VIEW_EVENT);
}

EventView::EventView(std::string new_tag, int new_value, bool new_delta)
    : tag(std::move(new_tag)), value(new_value), delta(new_delta)
{
    setType(VIEW_EVENT);
}

const std::string& EventView::getTag() const
{
    return tag;
}

void EventView::setTag(std::string new_tag)
{
    tag = std::move(new_tag);
}

int EventView::getValue() const
{
    return value;
}

void EventView::setValue(int new_value)
{
    value = new_value;
}

bool EventView::getDelta() const
{
    return delta;
}

void EventView::setDelta(bool new_delta)
{
    delta = new_delta;
}

} // namespace zp
