#include "saver/x11/XErrors.h"

#include <unistd.h>

#include "weftcpplib/CWeftLogManager.h"
#include "platform/Utf16.h"

namespace saver::x11 {
namespace {

int OnXError(Display* display, XErrorEvent* event)
{
    XErrorState& state = XErrors();
    if (state.shm_opcode != 0 && event->request_code == state.shm_opcode)
        state.shm_failed = true;
    if ((event->error_code == BadWindow || event->error_code == BadDrawable) && event->resourceid == state.watched) {
        state.window_gone = true;
        return 0;
    }
    char text[256] = {};
    XGetErrorText(display, event->error_code, text, sizeof text);
    weftcpplib::WeftLog().Print(weftcpplib::LOG_ERROR, L"X error %d (%ls) request %d.%d resource 0x%lx",
                                event->error_code, platform::WideFromUtf8(text).c_str(), event->request_code, event->minor_code,
                                static_cast<unsigned long>(event->resourceid));
    return 0;
}

int OnXIOError(Display*)
{
    // The server is gone: nothing can be drawn or released through it. The
    // shared memory was marked for removal when attached, so the system
    // frees it with the process.
    weftcpplib::WeftLog().Print(weftcpplib::LOG_ERROR, L"X display connection lost");
    static const char message[] = "tessel-x11: X display connection lost\n";
    (void)!write(2, message, sizeof message - 1);
    _exit(1);
}

} // namespace

XErrorState& XErrors()
{
    static XErrorState state;
    return state;
}

void InstallXErrorHandlers()
{
    XSetErrorHandler(OnXError);
    XSetIOErrorHandler(OnXIOError);
}

} // namespace saver::x11
