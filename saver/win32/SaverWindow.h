#pragma once
#include <windows.h>

#include <optional>

#include "saver/win32/ProcessObjects.h"
#include "saver/win32/SaverState.h"

// The saver window: its class, and the object behind each window of it,
// which takes every message through three stages in order: the window's own
// handling, the frame loop's, and the default one that watches input and
// asks for the password (SaverWindowInput.cpp).
namespace saver::win32 {

inline constexpr const wchar_t* kSaverClassName = L"WindowsScreenSaverClass";
inline constexpr const wchar_t* kFullScreenTitle = L"Screen Saver";
inline constexpr const wchar_t* kPreviewTitle = L"Preview";

bool RegisterSaverClass(HINSTANCE instance);

class SaverWindow {
public:
    SaverWindow(SaverState& state, SaverSession& frame) : state_(state), frame_(frame) {}
    ~SaverWindow();
    SaverWindow(const SaverWindow&) = delete;
    SaverWindow& operator=(const SaverWindow&) = delete;

    // Creates a window of the saver class run by this object.
    HWND Create(DWORD ex_style, DWORD style, const wchar_t* title, const RECT& rect, HWND parent);

    // The class's window procedure: finds the object the window was created
    // with and hands it the message.
    static LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

    // The last stage alone, for a window of another class that hands its
    // messages here after Attach: how tests drive the password and input
    // rules without a frame loop.
    void Attach(HWND window) { window_ = window; }
    LRESULT SaverDefaultProc(UINT message, WPARAM wparam, LPARAM lparam);

private:
    std::optional<LRESULT> HandleOwn(UINT message, WPARAM wparam, LPARAM lparam);
    void SaverFrameProc(UINT message);
    LRESULT Fail(UINT message, const wchar_t* what);

    void DetachInputMethod();
    void RestoreInputMethod();
    LRESULT ForwardToParent(UINT message, LPARAM lparam);
    void FollowDisplayChange();
    void FollowPointer();
    // Mouse movement is measured from here on.
    void RebaseCursor();
    void RequestClose();
    static void HideCursor();

    using ImmAssociateContextFn = HANDLE(WINAPI*)(HWND, HANDLE);

    SaverState& state_;
    SaverSession& frame_;
    HWND window_ = nullptr;
    ImmAssociateContextFn imm_associate_ = nullptr;
    HANDLE imm_context_ = nullptr;
    bool has_imm_context_ = false;
    bool destroying_ = false;
};

} // namespace saver::win32
