#include "zp/EventKeyboard.h"

namespace zp {

EventKeyboard::EventKeyboard()
{
    setType(KEYBOARD_EVENT);
}

int EventKeyboard::getKey() const
{
    return key_val;
}

void EventKeyboard::setKey(int new_key)
{
    key_val = new_key;
}

KeyboardAction EventKeyboard::getKeyboardAction() const
{
    return keyboard_action;
}

void EventKeyboard::setKeyboardAction(KeyboardAction new_action)
{
    keyboard_action = new_action;
}

} // namespace zp
