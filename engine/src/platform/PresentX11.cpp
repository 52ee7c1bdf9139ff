#include "platform/Platform.h"

#include <cstring>

#include <GL/glx.h>
#include <X11/Xlib.h>

namespace zp::platform {
namespace {

using CopySubBuffer = void (*)(Display*, GLXDrawable, int, int, int, int);

// Mesa's GLX copies a rectangle of the back buffer to the window
// (GLX_MESA_copy_sub_buffer); the back buffer is never swapped, so it keeps
// its picture.
CopySubBuffer copySubBuffer(Display* p_display)
{
    static Display* p_asked = nullptr;
    static CopySubBuffer p_copy = nullptr;
    if (p_display != p_asked) {
        p_asked = p_display;
        p_copy = nullptr;
        const char* extensions = glXQueryExtensionsString(p_display, DefaultScreen(p_display));
        if (extensions != nullptr && std::strstr(extensions, "GLX_MESA_copy_sub_buffer") != nullptr)
            p_copy = reinterpret_cast<CopySubBuffer>(
                glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXCopySubBufferMESA")));
    }
    return p_copy;
}

// Set by the error handler that stands while parts are shown.
bool refused = false;

extern "C" int noteRefusal(Display*, XErrorEvent*)
{
    refused = true;
    return 0;
}

// A connection of its own that hears the window's Expose events, which the
// windowing library's connection takes and drops.
Display* p_exposure_display = nullptr;
Window exposure_window = 0;

} // namespace

bool canShowParts()
{
    Display* p_display = glXGetCurrentDisplay();
    return p_display != nullptr && glXGetCurrentDrawable() != 0 && copySubBuffer(p_display) != nullptr;
}

bool showParts(const std::vector<PixelRect>& parts, int window_height)
{
    Display* p_display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (p_display == nullptr || drawable == 0)
        return false;
    const CopySubBuffer p_copy = copySubBuffer(p_display);
    if (p_copy == nullptr)
        return false;
    // The back buffer takes a new size of the window only when swapped: a
    // rectangle beyond it, after a resize the program has not yet heard of,
    // is refused by the display, which would otherwise end the program.
    refused = false;
    XSync(p_display, False);
    const auto p_previous_handler = XSetErrorHandler(noteRefusal);
    // The back buffer counts rows from the bottom.
    for (const PixelRect& part : parts)
        if (part.width > 0 && part.height > 0)
            p_copy(p_display, drawable, part.left, window_height - part.top - part.height, part.width,
                   part.height);
    XSync(p_display, False);
    XSetErrorHandler(p_previous_handler);
    return !refused;
}

void watchExposure(sf::WindowHandle window_handle)
{
    if (p_exposure_display == nullptr && window_handle != 0)
        p_exposure_display = XOpenDisplay(nullptr);
    if (p_exposure_display == nullptr)
        return;
    exposure_window = static_cast<Window>(window_handle);
    if (exposure_window != 0) {
        XSelectInput(p_exposure_display, exposure_window, ExposureMask);
        XFlush(p_exposure_display);
        return;
    }
    XCloseDisplay(p_exposure_display);
    p_exposure_display = nullptr;
}

bool tookExposure()
{
    if (p_exposure_display == nullptr || exposure_window == 0)
        return false;
    bool exposed = false;
    XEvent event;
    while (XCheckWindowEvent(p_exposure_display, exposure_window, ExposureMask, &event))
        exposed = true;
    return exposed;
}

} // namespace zp::platform
