#include <windows.h>

#include "saver/win32/HostState.h"

namespace saver {
namespace {

struct WindowPlacement {
    DWORD ex_style;
    DWORD style;
    const wchar_t* title;
    RECT rect;
};

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

namespace {

WindowPlacement PreviewPlacement(HWND parent)
{
    RECT client{};
    GetClientRect(parent, &client);
    return {0, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, kPreviewTitle, {0, 0, client.right, client.bottom}};
}

WindowPlacement FullScreenPlacement()
{
    return {WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
            kFullScreenTitle, VirtualScreen()};
}

int MessageLoop()
{
    MSG message{};
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1)
            return -1;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

bool RegisterSaverClass(HINSTANCE instance)
{
    WNDCLASSW cls{};
    cls.style = CS_OWNDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    cls.lpfnWndProc = SaverWindowProc;
    cls.hInstance = instance;
    cls.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(100));
    cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    cls.lpszClassName = kSaverClassName;
    return RegisterClassW(&cls) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

int RunSaver(HWND parent)
{
    HostState& host = Host();
    WindowPlacement placement;
    if (parent) {
        host.preview_mode = true;
        placement = PreviewPlacement(parent);
    } else {
        // One full-screen saver at a time: a second start only brings the
        // running one to the front.
        if (HWND running = FindWindowW(kSaverClassName, kFullScreenTitle)) {
            SetForegroundWindow(running);
            return 0;
        }
        placement = FullScreenPlacement();
        LoadPasswordVerifier();
    }

    RegisterSaverClass(host.instance);
    const RECT& r = placement.rect;
    HWND window = CreateWindowExW(placement.ex_style, kSaverClassName, placement.title, placement.style, r.left,
                                  r.top, r.right - r.left, r.bottom - r.top, parent, nullptr, host.instance, nullptr);
    int result = 0;
    if (window) {
        if (!host.preview_mode)
            SetForegroundWindow(window);
        result = MessageLoop();
    }
    UnloadPasswordVerifier();
    return result;
}

} // namespace saver
