#include <windows.h>

#include "saver/win32/HostState.h"

namespace saver {
namespace {

void RequestClose(HWND window)
{
    PostMessageW(window, WM_CLOSE, 0, 0);
}

// A power-management message that older headers may lack.
constexpr UINT kWmPower = 0x0048;
constexpr WPARAM kPowerSuspendResume = 3;

} // namespace

CursorPoint CurrentCursor()
{
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

void HideCursor()
{
    SetCursor(nullptr);
}

LRESULT SaverDefaultProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    HostState& host = Host();
    if (host.preview_mode || host.password.accepted())
        return DefWindowProcW(window, message, wparam, lparam);

    if (message == WM_CLOSE) {
        if (host.older_family && !VerifyPassword(window)) {
            host.cursor_origin = CurrentCursor();
            return 0;
        }
        return DefWindowProcW(window, message, wparam, lparam);
    }
    if (message == MSG_VERIFY_PASSWORD && host.older_family)
        return host.verifier ? host.verifier(window) : 1;
    if (host.password.check_running())
        return DefWindowProcW(window, message, wparam, lparam);

    switch (message) {
    case WM_SETCURSOR:
        HideCursor();
        return 1;
    case WM_SHOWWINDOW:
        if (wparam)
            HideCursor();
        break;
    case WM_ACTIVATEAPP:
        if (wparam == 0)
            RequestClose(window);
        break;
    case kWmPower:
        if (wparam == kPowerSuspendResume)
            RequestClose(window);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        RequestClose(window);
        break;
    case WM_MOUSEMOVE: {
        const CursorPoint now = CurrentCursor();
        if (MouseMovedBeyondThreshold(host.cursor_origin, now)) {
            RequestClose(window);
            host.cursor_origin = now;
        }
        break;
    }
    case WM_POWERBROADCAST:
        switch (DecidePowerBroadcast(wparam, lparam)) {
        case PowerAction::AllowSuspend:
            return 1;
        case PowerAction::Close:
            RequestClose(window);
            break;
        case PowerAction::Ignore:
            break;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

} // namespace saver
