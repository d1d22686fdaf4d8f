#include <windows.h>

#include <clocale>

#include "saver/win32/FrameWindow.h"
#include "saver/win32/HostState.h"
#include "saver/win32/ProcessObjects.h"

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

} // namespace

LRESULT SaverFrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    FrameLoop& frame = TheFrameLoop();
    switch (message) {
    case WM_CREATE:
        std::setlocale(LC_ALL, "");
        frame.timer.Attach(window);
        frame.presenter.Attach(window);
        frame.tessel.OnCreate(MeasureScreen(window));
        break;
    case WM_TIMER: {
        RECT client{};
        GetClientRect(window, &client);
        frame.tessel.OnTimer(client.right - client.left, client.bottom - client.top);
        break;
    }
    case WM_DESTROY:
        frame.tessel.OnDestroy();
        break;
    default:
        break;
    }
    return SaverDefaultProc(window, message, wparam, lparam);
}

} // namespace saver
