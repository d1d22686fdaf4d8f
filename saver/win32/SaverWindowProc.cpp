#include <windows.h>

#include <new>

#include "saver/win32/HostState.h"
#include "weftcpplib/CWeftLogManager.h"
#include "weftcpplib/WeftException.h"

namespace saver {
namespace {

void DetachInputMethod(HWND window)
{
    HostState& host = Host();
    // Only when the input-method library is already in the process; the
    // saver never loads it itself.
    host.imm_associate = LibraryFunction<ImmAssociateContextFn>(GetModuleHandleW(L"IMM32.DLL"), "ImmAssociateContext");
    if (host.imm_associate) {
        host.imm_context = host.imm_associate(window, nullptr);
        host.has_imm_context = true;
    }
}

void RestoreInputMethod(HWND window)
{
    HostState& host = Host();
    if (host.has_imm_context && host.imm_associate) {
        host.imm_associate(window, host.imm_context);
        host.has_imm_context = false;
    }
}

LRESULT ForwardToParent(HWND window, UINT message, LPARAM lparam)
{
    if (HWND parent = GetParent(window); parent && IsWindow(parent))
        PostMessageW(parent, message, reinterpret_cast<WPARAM>(parent), lparam);
    return 1;
}

LRESULT Dispatch(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    HostState& host = Host();
    switch (message) {
    case WM_CREATE:
        DetachInputMethod(window);
        RebaseCursor();
        if (!host.preview_mode)
            HideCursor();
        break;
    case WM_DESTROY:
        host.destroying = true;
        RestoreInputMethod(window);
        PostQuitMessage(0);
        break;
    case WM_SETTEXT:
        return 0;
    case WM_PAINT:
        if (host.password.accepted())
            return DefWindowProcW(window, message, wparam, lparam);
        if (!host.preview_mode)
            HideCursor();
        break;
    case WM_HELP:
    case WM_CONTEXTMENU:
        if (host.preview_mode)
            return ForwardToParent(window, message, lparam);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (host.password.accepted())
            return DefWindowProcW(window, message, wparam, lparam);
        break;
    case WM_SYSCOMMAND:
        if (!host.preview_mode) {
            const SysCommandAction action = DecideSysCommand(wparam);
            if (action == SysCommandAction::Swallow)
                return 0;
            if (action == SysCommandAction::CloseFirst)
                PostMessageW(window, WM_CLOSE, 0, 0);
        }
        break;
    case WM_TIMER:
        if (host.password.accepted())
            return 0;
        Sleep(0);
        break;
    default:
        break;
    }
    return SaverFrameProc(window, message, wparam, lparam);
}

// Nothing may unwind through the system's dispatcher: log the fault and end
// the saver the ordinary way (creation fails, or the window is destroyed).
LRESULT Fail(HWND window, UINT message, const wchar_t* what)
{
    weftcpplib::WeftLog().PrintAt(weftcpplib::LOG_FATAL, L"SaverWindowProc.cpp", __LINE__, L"%ls (message 0x%04x)",
                                  what, message);
    KillTimer(window, kFrameTimerId);
    if (message == WM_CREATE)
        return -1;
    if (!Host().destroying)
        DestroyWindow(window);
    return 0;
}

} // namespace

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    try {
        return Dispatch(window, message, wparam, lparam);
    } catch (const std::bad_alloc&) {
        return Fail(window, message, L"out of memory");
    } catch (const weftcpplib::WeftException& e) {
        return Fail(window, message, e.Message());
    } catch (...) {
        return Fail(window, message, L"unexpected exception");
    }
}

} // namespace saver
