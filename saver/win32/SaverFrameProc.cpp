#include <windows.h>

#include <clocale>
#include <vector>

#include "saver/win32/FrameWindow.h"
#include "saver/win32/HostState.h"
#include "saver/win32/ProcessObjects.h"
#include "weftcpplib/CWeftLogManager.h"

namespace saver {
namespace {

CreateInfo MeasureScreen(HWND window)
{
    CreateInfo info{};
    info.preview_mode = Host().preview_mode;
    info.screen_width = GetSystemMetrics(SM_CXSCREEN);
    info.screen_height = GetSystemMetrics(SM_CYSCREEN);
    // The class owns its device context, so this is the one every frame uses.
    if (HDC dc = GetDC(window)) {
        info.dpi_x = GetDeviceCaps(dc, LOGPIXELSX);
        ReleaseDC(window, dc);
    }
    return info;
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list)
{
    // Without a device context the rectangle is the monitor's own, in
    // virtual-screen coordinates.
    reinterpret_cast<std::vector<Rect>*>(list)->push_back(
        {rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top});
    return TRUE;
}

DisplayInfo MeasureDisplay(HWND window)
{
    DisplayInfo display{};
    display.screen_width = GetSystemMetrics(SM_CXSCREEN);
    display.screen_height = GetSystemMetrics(SM_CYSCREEN);
    if (!EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&display.monitors)))
        display.monitors.clear(); // drawn as one screen, as without monitors
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    display.client = {client.left, client.top, client.right - client.left, client.bottom - client.top};
    return display;
}

// A monitor added, removed, moved or resized: the window covers the new
// virtual screen (the class redraws it whole, so nothing stale stays) and
// every monitor is laid out again.
void FollowDisplayChange(HWND window, FrameHost& host)
{
    const RECT screen = VirtualScreen();
    SetWindowPos(window, nullptr, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    host.SetDisplay(MeasureDisplay(window));
    // The pointer's coordinates moved with the monitors, not by the user's hand.
    RebaseCursor();
    weftcpplib::WeftLog().Print(weftcpplib::LOG_INFO, L"pointer origin : %ld,%ld (display changed)",
                                Host().cursor_origin.x, Host().cursor_origin.y);
}

} // namespace

LRESULT SaverFrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    SaverSession& frame = TheSaverSession();
    switch (message) {
    case WM_CREATE:
        std::setlocale(LC_ALL, "");
        frame.window.Attach(window);
        frame.host.Start(MeasureScreen(window));
        if (!Host().preview_mode)
            frame.host.SetDisplay(MeasureDisplay(window));
        break;
    case WM_DISPLAYCHANGE:
        if (!Host().preview_mode)
            FollowDisplayChange(window, frame.host);
        break;
    case WM_TIMER: {
        RECT client{};
        GetClientRect(window, &client);
        frame.host.Tick(client.right - client.left, client.bottom - client.top);
        break;
    }
    case WM_DESTROY:
        frame.host.Stop();
        break;
    default:
        break;
    }
    return SaverDefaultProc(window, message, wparam, lparam);
}

} // namespace saver
