#include "support/CloseRequest.h"

#include <string>

#include <X11/Xlib.h>

namespace zp::test {
namespace {

bool takesCloseRequests(Display* p_display, Window window, Atom delete_window)
{
    Atom* p_protocols = nullptr;
    int count = 0;
    if (XGetWMProtocols(p_display, window, &p_protocols, &count) == 0)
        return false;
    bool found = false;
    for (int i = 0; i < count; ++i)
        found = found || p_protocols[i] == delete_window;
    XFree(p_protocols);
    return found;
}

} // namespace

bool requestWindowClose(const std::string& window_id)
{
    Display* p_display = XOpenDisplay(nullptr);
    if (p_display == nullptr)
        return false;
    const Window window = std::stoul(window_id);
    const Atom protocols = XInternAtom(p_display, "WM_PROTOCOLS", False);
    const Atom delete_window = XInternAtom(p_display, "WM_DELETE_WINDOW", False);
    bool sent = false;
    if (takesCloseRequests(p_display, window, delete_window)) {
        XEvent request{};
        request.xclient.type = ClientMessage;
        request.xclient.window = window;
        request.xclient.message_type = protocols;
        request.xclient.format = 32;
        request.xclient.data.l[0] = static_cast<long>(delete_window);
        request.xclient.data.l[1] = CurrentTime;
        sent = XSendEvent(p_display, window, False, NoEventMask, &request) != 0;
        XFlush(p_display);
    }
    XCloseDisplay(p_display);
    return sent;
}

} // namespace zp::test
