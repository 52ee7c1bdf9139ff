// The window manager's part when a player clicks a window's close button:
// a WM_DELETE_WINDOW request sent to the window, which the program may
// answer as it likes. Under a bare X server (as in the tests) no window
// manager is there to send it.
#pragma once

#include <string>

namespace zp::test {

// Sends the close request to the window (its X id, in decimal as xdotool
// prints it) on the current DISPLAY. False when the display cannot be opened
// or the window does not take close requests (a window manager would then
// not send one either).
bool requestWindowClose(const std::string& window_id);

} // namespace zp::test
