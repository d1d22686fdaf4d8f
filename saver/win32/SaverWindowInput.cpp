#include "saver/win32/SaverWindow.h"

#include "saver/win32/PasswordServices.h"
#include "saver/win32/ScreenGeometry.h"
#include "weftcpplib/CWeftLogManager.h"

// The saver window's last stage: what input, power events and the password
// do to a full-screen saver.
namespace saver::win32 {
namespace {

// A power-management message that older headers may lack.
constexpr UINT kWmPower = 0x0048;
constexpr WPARAM kPowerSuspendResume = 3;

void LogPointer(const wchar_t* what, const PointerPlace& from, const PointerPlace& to)
{
    weftcpplib::WeftLog().Print(weftcpplib::LOG_INFO, L"%ls : pointer moved from %ld,%ld to %ld,%ld (screen at %ld,%ld)",
                                what, from.point.x, from.point.y, to.point.x, to.point.y, to.screen.left,
                                to.screen.top);
}

} // namespace

// Input and power events close the full-screen saver, through the password
// on the older family; a preview, or a saver allowed to close, watches
// nothing.
LRESULT SaverWindow::SaverDefaultProc(UINT message, WPARAM wparam, LPARAM lparam)
{
    if (state_.preview_mode || state_.password.accepted())
        return DefWindowProcW(window_, message, wparam, lparam);

    if (message == WM_CLOSE) {
        if (state_.older_family && !VerifyPassword(state_, window_)) {
            RebaseCursor();
            return 0;
        }
        return DefWindowProcW(window_, message, wparam, lparam);
    }
    if (message == MSG_VERIFY_PASSWORD && state_.older_family)
        return state_.verifier ? state_.verifier(window_) : 1;
    if (state_.password.check_running())
        return DefWindowProcW(window_, message, wparam, lparam);

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
            RequestClose();
        break;
    case kWmPower:
        if (wparam == kPowerSuspendResume)
            RequestClose();
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        RequestClose();
        break;
    case WM_MOUSEMOVE:
        FollowPointer();
        break;
    case WM_POWERBROADCAST:
        switch (DecidePowerBroadcast(wparam, lparam)) {
        case PowerAction::AllowSuspend:
            return 1;
        case PowerAction::Close:
            RequestClose();
            break;
        case PowerAction::Ignore:
            break;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wparam, lparam);
}

// A move by the user's hand closes the saver; one that a change of the
// monitors made only moves the origin.
void SaverWindow::FollowPointer()
{
    const PointerPlace origin{state_.cursor_origin, state_.cursor_screen};
    const PointerPlace now = CurrentPointer();
    switch (DecidePointerMove(origin, now)) {
    case PointerAction::Stay:
        return;
    case PointerAction::Rebase:
        LogPointer(L"monitors changed", origin, now);
        break;
    case PointerAction::Close:
        LogPointer(L"close", origin, now);
        RequestClose();
        break;
    }
    state_.cursor_origin = now.point;
    state_.cursor_screen = now.screen;
}

void SaverWindow::RebaseCursor()
{
    const PointerPlace now = CurrentPointer();
    state_.cursor_origin = now.point;
    state_.cursor_screen = now.screen;
}

void SaverWindow::RequestClose()
{
    PostMessageW(window_, WM_CLOSE, 0, 0);
}

} // namespace saver::win32
