#pragma once
#include <windows.h>

#include "saver/win32/SaverState.h"

namespace saver::win32 {

// Full screen without a parent, a preview inside it otherwise: creates the
// saver window and runs the message loop until it ends. Returns the loop's
// exit code, or 0 when a full-screen saver already runs.
int RunSaver(SaverState& state, HWND parent);

} // namespace saver::win32
