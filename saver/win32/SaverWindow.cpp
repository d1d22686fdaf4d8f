#include "saver/win32/SaverWindow.h"

#include <clocale>
#include <new>

#include "saver/win32/ScreenGeometry.h"
#include "weftcpplib/CWeftLogManager.h"
#include "weftcpplib/WeftException.h"

namespace saver::win32 {
namespace {

using platform::win32::LibraryFunction;

// The log has always named the window's faults after this file's former name.
constexpr wchar_t kLogSource[] = L"SaverWindowProc.cpp";

} // namespace

bool RegisterSaverClass(HINSTANCE instance)
{
    WNDCLASSW cls{};
    cls.style = CS_OWNDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    cls.lpfnWndProc = SaverWindow::SaverWindowProc;
    cls.hInstance = instance;
    cls.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(100));
    cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    cls.lpszClassName = kSaverClassName;
    return RegisterClassW(&cls) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

SaverWindow::~SaverWindow()
{
    // A window outliving its object (the message loop failed) falls back to
    // the default handling rather than reaching a dead object.
    if (window_ && IsWindow(window_))
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
}

HWND SaverWindow::Create(DWORD ex_style, DWORD style, const wchar_t* title, const RECT& r, HWND parent)
{
    return CreateWindowExW(ex_style, kSaverClassName, title, style, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, parent, nullptr, state_.instance, this);
}

LRESULT CALLBACK SaverWindow::SaverWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        auto* created = static_cast<SaverWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lparam)->lpCreateParams);
        if (created) {
            created->window_ = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        }
    }
    auto* self = reinterpret_cast<SaverWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wparam, lparam);
    const LRESULT result = self->HandleMessage(message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
    }
    return result;
}

// Nothing may unwind through the system's dispatcher.
LRESULT SaverWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam)
{
    try {
        if (const std::optional<LRESULT> result = HandleOwn(message, wparam, lparam))
            return *result;
        SaverFrameProc(message);
        return SaverDefaultProc(message, wparam, lparam);
    } catch (const std::bad_alloc&) {
        return Fail(message, L"out of memory");
    } catch (const weftcpplib::WeftException& e) {
        return Fail(message, e.Message());
    } catch (...) {
        return Fail(message, L"unexpected exception");
    }
}

// The window's own handling; a result ends the message there.
std::optional<LRESULT> SaverWindow::HandleOwn(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE:
        DetachInputMethod();
        RebaseCursor();
        if (!state_.preview_mode)
            HideCursor();
        break;
    case WM_DESTROY:
        destroying_ = true;
        RestoreInputMethod();
        PostQuitMessage(0);
        break;
    case WM_SETTEXT:
        return 0;
    case WM_PAINT:
        if (state_.password.accepted())
            return DefWindowProcW(window_, message, wparam, lparam);
        if (!state_.preview_mode)
            HideCursor();
        break;
    case WM_HELP:
    case WM_CONTEXTMENU:
        if (state_.preview_mode)
            return ForwardToParent(message, lparam);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (state_.password.accepted())
            return DefWindowProcW(window_, message, wparam, lparam);
        break;
    case WM_SYSCOMMAND:
        if (!state_.preview_mode) {
            const SysCommandAction action = DecideSysCommand(wparam);
            if (action == SysCommandAction::Swallow)
                return 0;
            if (action == SysCommandAction::CloseFirst)
                RequestClose();
        }
        break;
    case WM_TIMER:
        if (state_.password.accepted())
            return 0;
        Sleep(0);
        break;
    default:
        break;
    }
    return std::nullopt;
}

// The frame loop's part: it starts with the window, draws on each tick,
// follows the monitors and stops with the window.
void SaverWindow::SaverFrameProc(UINT message)
{
    switch (message) {
    case WM_CREATE:
        std::setlocale(LC_ALL, "");
        frame_.window.Attach(window_);
        frame_.host.Start(MeasureScreen(window_, state_.preview_mode));
        if (!state_.preview_mode)
            frame_.host.SetDisplay(MeasureDisplay(window_));
        break;
    case WM_DISPLAYCHANGE:
        if (!state_.preview_mode)
            FollowDisplayChange();
        break;
    case WM_TIMER: {
        RECT client{};
        GetClientRect(window_, &client);
        frame_.host.Tick(client.right - client.left, client.bottom - client.top);
        break;
    }
    case WM_DESTROY:
        frame_.host.Stop();
        break;
    default:
        break;
    }
}

// Log the fault and end the saver the ordinary way (creation fails, or the
// window is destroyed).
LRESULT SaverWindow::Fail(UINT message, const wchar_t* what)
{
    weftcpplib::WeftLog().PrintAt(weftcpplib::LOG_FATAL, kLogSource, __LINE__, L"%ls (message 0x%04x)", what, message);
    KillTimer(window_, kFrameTimerId);
    if (message == WM_CREATE)
        return -1;
    if (!destroying_)
        DestroyWindow(window_);
    return 0;
}

void SaverWindow::DetachInputMethod()
{
    // Only when the input-method library is already in the process; the
    // saver never loads it itself.
    imm_associate_ = LibraryFunction<ImmAssociateContextFn>(GetModuleHandleW(L"IMM32.DLL"), "ImmAssociateContext");
    if (imm_associate_) {
        imm_context_ = imm_associate_(window_, nullptr);
        has_imm_context_ = true;
    }
}

void SaverWindow::RestoreInputMethod()
{
    if (has_imm_context_ && imm_associate_) {
        imm_associate_(window_, imm_context_);
        has_imm_context_ = false;
    }
}

LRESULT SaverWindow::ForwardToParent(UINT message, LPARAM lparam)
{
    if (HWND parent = GetParent(window_); parent && IsWindow(parent))
        PostMessageW(parent, message, reinterpret_cast<WPARAM>(parent), lparam);
    return 1;
}

// A monitor added, removed, moved or resized: the window covers the new
// virtual screen (the class redraws it whole, so nothing stale stays) and
// every monitor is laid out again.
void SaverWindow::FollowDisplayChange()
{
    const RECT screen = VirtualScreen();
    SetWindowPos(window_, nullptr, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    frame_.host.SetDisplay(MeasureDisplay(window_));
    // The pointer's coordinates moved with the monitors, not by the user's hand.
    RebaseCursor();
    weftcpplib::WeftLog().Print(weftcpplib::LOG_INFO, L"pointer origin : %ld,%ld (display changed)",
                                state_.cursor_origin.x, state_.cursor_origin.y);
}

void SaverWindow::HideCursor()
{
    SetCursor(nullptr);
}

} // namespace saver::win32
