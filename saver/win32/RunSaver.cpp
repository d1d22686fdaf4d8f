#include "saver/win32/RunSaver.h"

#include "saver/win32/PasswordServices.h"
#include "saver/win32/ProcessObjects.h"
#include "saver/win32/SaverWindow.h"
#include "saver/win32/ScreenGeometry.h"
#include "platform/System.h"
#include "weftcpplib/CWeftLogManager.h"
#include "weftcpplib/FaultReport.h"

namespace saver::win32 {
namespace {

struct WindowPlacement {
    DWORD ex_style;
    DWORD style;
    const wchar_t* title;
    RECT rect;
};

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

int RunSaver(SaverState& state, HWND parent)
{
    WindowPlacement placement;
    if (parent) {
        state.preview_mode = true;
        placement = PreviewPlacement(parent);
    } else {
        // One full-screen saver at a time: a second start only brings the
        // running one to the front.
        if (HWND running = FindWindowW(kSaverClassName, kFullScreenTitle)) {
            SetForegroundWindow(running);
            return 0;
        }
        placement = FullScreenPlacement();
        LoadPasswordVerifier(state);
    }

    RegisterSaverClass(state.instance);
    int result = 0;
    {
        SaverWindow saver(state, TheSaverSession());
        if (HWND window = saver.Create(placement.ex_style, placement.style, placement.title, placement.rect, parent)) {
            if (!state.preview_mode)
                SetForegroundWindow(window);
            result = MessageLoop();
        } else {
            // Not a run that ended as asked: it never started.
            weftcpplib::WeftLog().Print(weftcpplib::LOG_ERROR, L"saver window not created : %ls",
                                        weftcpplib::ErrorTextLine(platform::LastErrorCode()).c_str());
            result = -1;
        }
    }
    UnloadPasswordVerifier(state);
    return result;
}

} // namespace saver::win32
