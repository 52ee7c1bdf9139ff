/// \file
/// A mouse click, a held left button or a pointer move, at a cell of the
/// view. Buttons are SFML's sf::Mouse::Button codes.
#pragma once

#include "zp/Event.h"
#include "zp/Position.h"

namespace zp {

inline const std::string MOUSE_EVENT = "zp::mouse";

enum MouseAction : int {
    CLICKED = 0,
    PRESSED = 1,
    MOVED = 2,
};

class EventMouse : public Event {
public:
    /// The type string of this class's events, for eventAs.
    static const std::string& eventType() { return MOUSE_EVENT; }

    EventMouse();

    MouseAction getMouseAction() const;
    void setMouseAction(MouseAction new_action);
    int getMouseButton() const;
    void setMouseButton(int new_button);
    Position getMousePosition() const;
    void setMousePosition(Position new_position);

private:
    MouseAction mouse_action = CLICKED;
    int mouse_button = 0;
    Position mouse_xy;
};

} // namespace zp
