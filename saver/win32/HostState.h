#pragma once
#include <windows.h>

#include "saver/InputPolicy.h"
#include "saver/PasswordGate.h"
#include "platform/win32/GdiHandles.h"

// The host's process-wide state and operations.
namespace saver {

using platform::win32::Library;
using platform::win32::LibraryFunction;

inline constexpr UINT MSG_VERIFY_PASSWORD = 0x8000;
inline constexpr UINT_PTR kFrameTimerId = 1;
inline constexpr const wchar_t* kSaverClassName = L"WindowsScreenSaverClass";
inline constexpr const wchar_t* kFullScreenTitle = L"Screen Saver";
inline constexpr const wchar_t* kPreviewTitle = L"Preview";

using VerifyScreenSavePwdFn = BOOL(WINAPI*)(HWND);
using ImmAssociateContextFn = HANDLE(WINAPI*)(HWND, HANDLE);

struct HostState {
    HINSTANCE instance = nullptr;
    bool preview_mode = false;
    // Only the older Windows family has the password services; tests set it
    // to drive that path on any system.
    bool older_family = false;
    PasswordGate password;
    CursorPoint cursor_origin{0, 0};
    ScreenArea cursor_screen{0, 0, 0, 0};  // the virtual screen cursor_origin was taken in
    Library password_library;
    VerifyScreenSavePwdFn verifier = nullptr;
    ImmAssociateContextFn imm_associate = nullptr;
    HANDLE imm_context = nullptr;
    bool has_imm_context = false;
    bool destroying = false;
};

HostState& Host();

// Program modes.
int SaverMain(HINSTANCE instance, const wchar_t* command_line, int show_command);
int RunSaver(HWND parent);
void ChangePassword(HWND parent);

// Window procedures: the class's own, and the default handling the frame
// loop passes every message on to.
LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT SaverDefaultProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT SaverFrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Older-family password services.
void LoadPasswordVerifier();
void UnloadPasswordVerifier();
void SetSaverRunning(bool running);
bool VerifyPassword(HWND window);

bool RegisterSaverClass(HINSTANCE instance);
// The rectangle of all monitors together, where the full-screen window goes.
RECT VirtualScreen();
CursorPoint CurrentCursor();
PointerPlace CurrentPointer();
// Mouse movement is measured from here on.
void RebaseCursor();
void HideCursor();

} // namespace saver
