#include "zp/ViewObject.h"

#include "zp/EventView.h"
#include "zp/GraphicsManager.h"
#include "zp/Utility.h"
#include "zp/WorldManager.h"

#include <utility>

namespace zp {

ViewObject::ViewObject()
{
    setSolidness(SPECTRAL);
    setAltitude(MAX_ALTITUDE);
    setType("ViewObject");
    setValue(0);
    setBorder(true);
    setLocation(TOP_CENTER);
    setColor(WHITE);
}

const std::string& ViewObject::getViewString() const
{
    return view_string;
}

void ViewObject::setViewString(std::string new_view_string)
{
    view_string = std::move(new_view_string);
}

int ViewObject::getValue() const
{
    return value;
}

void ViewObject::setValue(int new_value)
{
    value = new_value;
}

Color ViewObject::getColor() const
{
    return color;
}

void ViewObject::setColor(Color new_color)
{
    color = new_color;
}

bool ViewObject::getBorder() const
{
    return border;
}

void ViewObject::setBorder(bool new_border)
{
    if (new_border == border)
        return;
    border = new_border;
    setLocation(location);
}

ViewObjectLocation ViewObject::getLocation() const
{
    return location;
}

void ViewObject::setLocation(ViewObjectLocation new_location)
{
    Box view = WorldManager::getInstance().getView();
    int h = view.getHorizontal();
    int v = view.getVertical();
    int left = h / 6;
    int centre = (h * 3) / 6;
    int right = (h * 5) / 6;
    // A border takes a row above and below the text.
    int top = border ? 1 : 0;
    int bottom = border ? v - 2 : v - 1;

    Position new_pos(0, 0);
    switch (new_location) {
    case TOP_LEFT:
        new_pos.setXY(left, top);
        break;
    case TOP_CENTER:
        new_pos.setXY(centre, top);
        break;
    case TOP_RIGHT:
        new_pos.setXY(right, top);
        break;
    case CENTER_CENTER:
        new_pos.setXY(h / 2, v / 2);
        break;
    case BOTTOM_LEFT:
        new_pos.setXY(left, bottom);
        break;
    case BOTTOM_CENTER:
        new_pos.setXY(centre, bottom);
        break;
    case BOTTOM_RIGHT:
        new_pos.setXY(right, bottom);
        break;
    }
    setPosition(new_pos);
    location = new_location;
}

int ViewObject::eventHandler(const Event* p_event)
{
    if (p_event->getType() != VIEW_EVENT)
        return 0;
    const auto* p_view_event = static_cast<const EventView*>(p_event);
    if (p_view_event->getTag() != view_string)
        return 0;
    if (p_view_event->getDelta())
        // Plain 32-bit arithmetic: a counter wraps rather than being undefined.
        value =
            static_cast<int>(static_cast<unsigned>(value) + static_cast<unsigned>(p_view_event->getValue()));
    else
        value = p_view_event->getValue();
    return 1;
}

void ViewObject::draw()
{
    std::string text = view_string + " " + toString(value);
    if (border)
        text = "|" + text + "|";
    Position text_pos = viewToWorld(getPosition());
    GraphicsManager& graphics = GraphicsManager::getInstance();
    graphics.drawString(text_pos, text, CENTER_JUSTIFIED, color);
    if (border) {
        std::string dashes(text.size(), '-');
        graphics.drawString(Position(text_pos.getX(), text_pos.getY() - 1), dashes, CENTER_JUSTIFIED, color);
        graphics.drawString(Position(text_pos.getX(), text_pos.getY() + 1), dashes, CENTER_JUSTIFIED, color);
    }
}

} // namespace zp
