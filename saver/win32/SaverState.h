#pragma once
#include <windows.h>

#include "platform/win32/GdiHandles.h"
#include "saver/InputPolicy.h"
#include "saver/PasswordGate.h"

namespace saver::win32 {

using VerifyScreenSavePwdFn = BOOL(WINAPI*)(HWND);

// What one run of the saver knows beyond its window: the program, the
// system's family, the mode, the password and where the pointer started.
// The entry owns it; the window and the password services get it by
// reference.
struct SaverState {
    HINSTANCE instance = nullptr;
    bool preview_mode = false;
    // Only the older Windows family has the password services; tests set it
    // to drive that path on any system.
    bool older_family = false;
    PasswordGate password;
    CursorPoint cursor_origin{0, 0};
    ScreenArea cursor_screen{0, 0, 0, 0}; // the virtual screen cursor_origin was taken in
    platform::win32::Library password_library;
    VerifyScreenSavePwdFn verifier = nullptr;
};

} // namespace saver::win32
