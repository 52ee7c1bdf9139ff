#include "zp/EventMouse.h"

namespace zp {

EventMouse::EventMouse()
{
    setType(MOUSE_EVENT);
}

MouseAction EventMouse::getMouseAction() const
{
    return mouse_action;
}

void EventMouse::setMouseAction(MouseAction new_action)
{
    mouse_action = new_action;
}

int EventMouse::getMouseButton() const
{
    return mouse_button;
}

void EventMouse::setMouseButton(int new_button)
{
    mouse_button = new_button;
}

Position EventMouse::getMousePosition() const
{
    return mouse_xy;
}

void EventMouse::setMousePosition(Position new_position)
{
    mouse_xy = new_position;
}

} // namespace zp
