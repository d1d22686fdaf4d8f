#include "saver/win32/ScreenGeometry.h"

#include <vector>

namespace saver::win32 {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list)
{
    // Without a device context the rectangle is the monitor's own, in
    // virtual-screen coordinates.
    reinterpret_cast<std::vector<Rect>*>(list)->push_back(
        {rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top});
    return TRUE;
}

} // namespace

RECT VirtualScreen()
{
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int cx = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int cy = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (cx != 0 && cy != 0)
        return {x, y, x + cx, y + cy};
    RECT clip{};
    if (HDC screen = GetDC(nullptr)) {
        GetClipBox(screen, &clip);
        ReleaseDC(nullptr, screen);
    }
    return clip;
}

CreateInfo MeasureScreen(HWND window, bool preview_mode)
{
    CreateInfo info{};
    info.preview_mode = preview_mode;
    info.screen_width = GetSystemMetrics(SM_CXSCREEN);
    info.screen_height = GetSystemMetrics(SM_CYSCREEN);
    // The class owns its device context, so this is the one every frame uses.
    if (HDC dc = GetDC(window)) {
        info.dpi_x = GetDeviceCaps(dc, LOGPIXELSX);
        ReleaseDC(window, dc);
    }
    return info;
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

} // namespace saver::win32
