#include "platform/Platform.h"

#include <SFML/Window/Keyboard.hpp>

#include <vector>

#include <windows.h>

namespace zp::platform {
namespace {

// The virtual-key code of each of the windowing library's keys, in its order
// (A ... Pause).
// clang-format off
const BYTE VIRTUAL_KEYS[sf::Keyboard::KeyCount] = {
    'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M',
    'N', 'O', 'P', 'Q', 'R', 'S', 'T', 'U', 'V', 'W', 'X', 'Y', 'Z',
    '0', '1', '2', '3', '4', '5', '6', '7', '8', '9',
    VK_ESCAPE, VK_LCONTROL, VK_LSHIFT, VK_LMENU, VK_LWIN,
    VK_RCONTROL, VK_RSHIFT, VK_RMENU, VK_RWIN, VK_APPS,
    VK_OEM_4, VK_OEM_6, VK_OEM_1, VK_OEM_COMMA, VK_OEM_PERIOD, VK_OEM_7,
    VK_OEM_2, VK_OEM_5, VK_OEM_3, VK_OEM_PLUS, VK_OEM_MINUS, VK_SPACE, VK_RETURN,
    VK_BACK, VK_TAB, VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_INSERT, VK_DELETE,
    VK_ADD, VK_SUBTRACT, VK_MULTIPLY, VK_DIVIDE,
    VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN,
    VK_NUMPAD0, VK_NUMPAD1, VK_NUMPAD2, VK_NUMPAD3, VK_NUMPAD4,
    VK_NUMPAD5, VK_NUMPAD6, VK_NUMPAD7, VK_NUMPAD8, VK_NUMPAD9,
    VK_F1, VK_F2, VK_F3, VK_F4, VK_F5, VK_F6, VK_F7, VK_F8, VK_F9, VK_F10,
    VK_F11, VK_F12, VK_F13, VK_F14, VK_F15, VK_PAUSE};
// clang-format on
static_assert(sf::Keyboard::Escape == 36 && sf::Keyboard::LBracket == 46 && sf::Keyboard::Backspace == 59 &&
                  sf::Keyboard::Add == 67 && sf::Keyboard::Left == 71 && sf::Keyboard::Numpad0 == 75 &&
                  sf::Keyboard::F1 == 85 && sf::Keyboard::Pause == sf::Keyboard::KeyCount - 1,
              "the table follows the library's key order");

// The high bit of a key's state byte: held down.
constexpr BYTE KEY_DOWN = 0x80;

} // namespace

// The thread's keyboard state, as of the window messages it has read (the
// windowing library reads them all before the held keys are asked for): the
// whole keyboard in one call.
bool readHeldKeys(std::vector<bool>& held)
{
    held.assign(sf::Keyboard::KeyCount, false);
    BYTE state[256];
    if (!GetKeyboardState(state))
        return false;
    for (int key = 0; key < sf::Keyboard::KeyCount; ++key)
        held[std::size_t(key)] = (state[VIRTUAL_KEYS[key]] & KEY_DOWN) != 0;
    return true;
}

void releaseHeldKeys()
{
}

} // namespace zp::platform
