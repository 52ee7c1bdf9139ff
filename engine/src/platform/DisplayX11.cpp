#include "platform/Platform.h"
#include "zp/GameManager.h"
#include "zp/LogManager.h"

#include <cstdio>
#include <cstdlib>

#include <X11/Xlib.h>
#include <unistd.h>

namespace zp::platform {
namespace {

// The connection that holds the display until the window has its own.
Display* p_held_display = nullptr;
void (*p_before_exit)() = nullptr;

const char* displayName()
{
    const char* name = std::getenv("DISPLAY");
    return name != nullptr && *name != '\0' ? name : "(DISPLAY not set)";
}

// Xlib calls this when the connection breaks; it must not return.
extern "C" int reportLostDisplay(Display*)
{
    static const char* const WHAT = "Lost the connection to the display %s: the window was destroyed by "
                                    "another program or the display server ended. Exiting.";
    std::fprintf(stderr, WHAT, displayName());
    std::fputc('\n', stderr);
    LogManager& log = LogManager::getInstance();
    log.writeLog(WHAT, displayName());
    if (p_before_exit != nullptr)
        p_before_exit();
    log.shutDown();
    // Nothing more may touch the display, not even the destructors that run
    // at a normal exit.
    _exit(zp::EXIT_DISPLAY_LOST);
}

} // namespace

bool holdDisplay(std::string& reason)
{
    if (p_held_display != nullptr)
        return true;
    p_held_display = XOpenDisplay(nullptr);
    if (p_held_display == nullptr) {
        reason = std::string("Could not open the display ") + displayName();
        return false;
    }
    return true;
}

void releaseDisplay()
{
    if (p_held_display != nullptr)
        XCloseDisplay(p_held_display);
    p_held_display = nullptr;
}

void watchDisplayConnection(void (*before_exit)())
{
    p_before_exit = before_exit;
    XSetIOErrorHandler(reportLostDisplay);
}

} // namespace zp::platform
