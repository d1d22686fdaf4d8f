#include <windows.h>

#include "saver/win32/HostState.h"
#include "weftcpplib/CWeftLogManager.h"

namespace saver {
namespace {

void RequestClose(HWND window)
{
    PostMessageW(window, WM_CLOSE, 0, 0);
}

// A power-management message that older headers may lack.
constexpr UINT kWmPower = 0x0048;
constexpr WPARAM kPowerSuspendResume = 3;

void LogPointer(const wchar_t* what, const PointerPlace& from, const PointerPlace& to)
{
    weftcpplib::WeftLog().Print(weftcpplib::LOG_INFO, L"%ls : pointer moved from %ld,%ld to %ld,%ld (screen at %ld,%ld)",
                                what, from.point.x, from.point.y, to.point.x, to.point.y, to.screen.left,
                                to.screen.top);
}

// A move by the user's hand closes the saver; one that a change of the
// monitors made only moves the origin.
void FollowPointer(HWND window)
{
    HostState& host = Host();
    const PointerPlace origin{host.cursor_origin, host.cursor_screen};
    const PointerPlace now = CurrentPointer();
    switch (DecidePointerMove(origin, now)) {
    case PointerAction::Stay:
        return;
    case PointerAction::Rebase:
        LogPointer(L"monitors changed", origin, now);
        break;
    case PointerAction::Close:
        LogPointer(L"close", origin, now);
        RequestClose(window);
        break;
    }
    host.cursor_origin = now.point;
    host.cursor_screen = now.screen;
}

} // namespace

CursorPoint CurrentCursor()
{
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

PointerPlace CurrentPointer()
{
    const RECT screen = VirtualScreen();
    return {CurrentCursor(), {screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top}};
}

void RebaseCursor()
{
    const PointerPlace now = CurrentPointer();
    Host().cursor_origin = now.point;
    Host().cursor_screen = now.screen;
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
            RebaseCursor();
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
    case WM_MOUSEMOVE:
        FollowPointer(window);
        break;
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
