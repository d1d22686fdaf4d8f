#pragma once
#include "saver/x11/XlibHeaders.h"

#include <optional>
#include <string>

#include "saver/x11/Options.h"

// The window tessel-x11 draws into: one named to it (XScreenSaver's, a
// test's), the root window, or one of its own.
namespace saver::x11 {

class TargetWindow {
public:
    // Opens the target and asks for its structure events (size changes, its
    // end). Nothing, with the reason, when the named window does not exist.
    static std::optional<TargetWindow> Open(Display* display, const DrawTarget& target, std::string& error);

    Window id() const { return window_; }
    bool own() const { return own_; }
    // The close button of the program's own window.
    bool IsCloseRequest(const XEvent& event) const;
    // Destroys the program's own window; others are left alone.
    void Close(Display* display);

private:
    Window window_ = 0;
    bool own_ = false;
    Atom delete_atom_ = 0;
};

// Why frames cannot be drawn on the window's visual (a colour-map visual
// such as 8-bit PseudoColor); empty when they can (TrueColor).
std::string UndrawableVisual(Display* display, Window window);

} // namespace saver::x11
