#include "saver/x11/TargetWindow.h"

#include <X11/Xatom.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "saver/x11/XErrors.h"

namespace saver::x11 {

std::optional<TargetWindow> TargetWindow::Open(Display* display, const DrawTarget& target, std::string& error)
{
    TargetWindow result;
    const int screen = DefaultScreen(display);
    switch (target.kind) {
    case DrawTarget::window: {
        result.window_ = target.id;
        XErrors().watched = result.window_;
        XErrors().window_gone = false;
        XWindowAttributes attributes{};
        // A window that is gone already answers with an error, which the
        // handler notes instead of ending the program.
        if (!XGetWindowAttributes(display, result.window_, &attributes) || XErrors().window_gone) {
            char text[64];
            std::snprintf(text, sizeof text, "no window 0x%lx on the display", static_cast<unsigned long>(target.id));
            error = text;
            return std::nullopt;
        }
        break;
    }
    case DrawTarget::root:
        result.window_ = RootWindow(display, screen);
        break;
    case DrawTarget::own_window: {
        const int width = std::min(DisplayWidth(display, screen), 960);
        const int height = std::min(DisplayHeight(display, screen), 600);
        result.window_ = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0,
                                             static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                             BlackPixel(display, screen), BlackPixel(display, screen));
        result.own_ = true;
        XStoreName(display, result.window_, "Tessel");
        XClassHint hint{const_cast<char*>("tessel-x11"), const_cast<char*>("Tessel")};
        XSetClassHint(display, result.window_, &hint);
        // Lets window managers and tools tell which process the window is.
        const long pid = static_cast<long>(getpid());
        XChangeProperty(display, result.window_, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
        result.delete_atom_ = XInternAtom(display, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(display, result.window_, &result.delete_atom_, 1);
        XMapWindow(display, result.window_);
        break;
    }
    }
    XErrors().watched = result.window_;
    XSelectInput(display, result.window_, StructureNotifyMask);
    XSync(display, False);
    if (XErrors().window_gone) {
        error = "the window went away";
        return std::nullopt;
    }
    return result;
}

bool TargetWindow::IsCloseRequest(const XEvent& event) const
{
    return own_ && event.type == ClientMessage && event.xclient.window == window_ &&
           static_cast<Atom>(event.xclient.data.l[0]) == delete_atom_;
}

std::string UndrawableVisual(Display* display, Window window)
{
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes) || !attributes.visual)
        return {};
    if (attributes.visual->c_class == TrueColor)
        return {};
    static constexpr const char* kClassNames[] = {"StaticGray", "GrayScale", "StaticColor",
                                                  "PseudoColor", "TrueColor", "DirectColor"};
    const int visual_class = attributes.visual->c_class;
    const char* name = visual_class >= 0 && visual_class <= DirectColor ? kClassNames[visual_class] : "unknown";
    char text[160];
    std::snprintf(text, sizeof text, "cannot draw on this screen (%d-bit %s): TrueColor visuals only (15 to 32 bits)",
                  attributes.depth, name);
    return text;
}

void TargetWindow::Close(Display* display)
{
    if (own_)
        XDestroyWindow(display, window_);
    own_ = false;
}

} // namespace saver::x11
