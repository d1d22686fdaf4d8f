#pragma once
#include "saver/x11/XlibHeaders.h"

// What the X error handlers saw. X reports errors of earlier requests
// asynchronously; a window that is destroyed under the program shows up as
// BadWindow or BadDrawable for it, which must end the run in order rather
// than abort it as Xlib's default handler would.
namespace saver::x11 {

struct XErrorState {
    Window watched = 0;       // the window drawn into
    bool window_gone = false; // an error said the watched window no longer exists
    int shm_opcode = 0;       // major opcode of MIT-SHM requests, 0 without it
    bool shm_failed = false;  // an MIT-SHM request failed (e.g. a remote server)
    bool connection_lost = false;
};

XErrorState& XErrors();

// Installs the handlers for the process.
void InstallXErrorHandlers();

} // namespace saver::x11
