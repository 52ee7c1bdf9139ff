/// \file
/// A key went down, came up or is held. Keys are SFML's sf::Keyboard::Key codes.
#pragma once

#include "zp/Event.h"

namespace zp {

inline const std::string KEYBOARD_EVENT = "zp::keyboard";

enum KeyboardAction : int {
    KEY_PRESSED = 0,
    KEY_RELEASED = 1,
    KEY_DOWN = 2,
};

class EventKeyboard : public Event {
public:
    /// The type string of this class's events, for eventAs.
    static const std::string& eventType() { return KEYBOARD_EVENT; }

    EventKeyboard();

    int getKey() const;
    void setKey(int new_key);
    KeyboardAction getKeyboardAction() const;
    void setKeyboardAction(KeyboardAction new_action);

private:
    int key_val = 0;
    KeyboardAction keyboard_action = KEY_PRESSED;
};

} // namespace zp
