#include "platform/Platform.h"

#include <SFML/Window/Keyboard.hpp>

#include <vector>

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace zp::platform {
namespace {

// The X key symbol of each of the windowing library's keys, in its order
// (A ... Pause); the library asks the server about each key with the same
// symbols, one round trip per key.
// clang-format off
const KeySym KEY_SYMBOLS[sf::Keyboard::KeyCount] = {
    XK_a, XK_b, XK_c, XK_d, XK_e, XK_f, XK_g, XK_h, XK_i, XK_j, XK_k, XK_l, XK_m,
    XK_n, XK_o, XK_p, XK_q, XK_r, XK_s, XK_t, XK_u, XK_v, XK_w, XK_x, XK_y, XK_z,
    XK_0, XK_1, XK_2, XK_3, XK_4, XK_5, XK_6, XK_7, XK_8, XK_9,
    XK_Escape, XK_Control_L, XK_Shift_L, XK_Alt_L, XK_Super_L,
    XK_Control_R, XK_Shift_R, XK_Alt_R, XK_Super_R, XK_Menu,
    XK_bracketleft, XK_bracketright, XK_semicolon, XK_comma, XK_period, XK_apostrophe,
    XK_slash, XK_backslash, XK_grave, XK_equal, XK_minus, XK_space, XK_Return,
    XK_BackSpace, XK_Tab, XK_Prior, XK_Next, XK_End, XK_Home, XK_Insert, XK_Delete,
    XK_KP_Add, XK_KP_Subtract, XK_KP_Multiply, XK_KP_Divide,
    XK_Left, XK_Right, XK_Up, XK_Down,
    XK_KP_0, XK_KP_1, XK_KP_2, XK_KP_3, XK_KP_4, XK_KP_5, XK_KP_6, XK_KP_7, XK_KP_8, XK_KP_9,
    XK_F1, XK_F2, XK_F3, XK_F4, XK_F5, XK_F6, XK_F7, XK_F8, XK_F9, XK_F10,
    XK_F11, XK_F12, XK_F13, XK_F14, XK_F15, XK_Pause};
// clang-format on
static_assert(sf::Keyboard::Escape == 36 && sf::Keyboard::LBracket == 46 && sf::Keyboard::Backspace == 59 &&
                  sf::Keyboard::Add == 67 && sf::Keyboard::Left == 71 && sf::Keyboard::Numpad0 == 75 &&
                  sf::Keyboard::F1 == 85 && sf::Keyboard::Pause == sf::Keyboard::KeyCount - 1,
              "the table follows the library's key order");

// A connection of its own, kept open: asking costs one round trip a frame.
Display* p_keyboard_display = nullptr;

} // namespace

bool readHeldKeys(std::vector<bool>& held)
{
    held.assign(sf::Keyboard::KeyCount, false);
    if (p_keyboard_display == nullptr)
        p_keyboard_display = XOpenDisplay(nullptr);
    if (p_keyboard_display == nullptr)
        return false;
    char keymap[32];
    XQueryKeymap(p_keyboard_display, keymap);
    for (int key = 0; key < sf::Keyboard::KeyCount; ++key) {
        const KeyCode code = XKeysymToKeycode(p_keyboard_display, KEY_SYMBOLS[key]);
        held[std::size_t(key)] = code != 0 && (keymap[code / 8] & (1 << (code % 8))) != 0;
    }
    return true;
}

void releaseHeldKeys()
{
    if (p_keyboard_display != nullptr)
        XCloseDisplay(p_keyboard_display);
    p_keyboard_display = nullptr;
}

} // namespace zp::platform
