#include "saver/win32/PasswordServices.h"

namespace saver::win32 {
namespace {

using platform::win32::Library;
using platform::win32::LibraryFunction;

constexpr UINT kSpiScreenSaverRunning = 97;

bool PasswordSwitchedOn()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD value = 0;
    DWORD size = sizeof(value);
    const LONG status = RegQueryValueExW(key, L"ScreenSaveUsePassword", nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && value != 0;
}

class WindowPrompt final : public PasswordPrompt {
public:
    WindowPrompt(const SaverState& state, HWND window) : state_(state), window_(window) {}
    bool HasVerifier() const override { return state_.verifier != nullptr; }
    std::uint32_t NowMs() override { return GetTickCount(); }
    void DropPendingTimers() override
    {
        MSG message;
        for (int i = 0; i < 2; ++i)
            PeekMessageW(&message, window_, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    }
    bool Ask() override { return SendMessageW(window_, MSG_VERIFY_PASSWORD, 0, 0) != 0; }
    void HideCursor() override { SetCursor(nullptr); }

private:
    const SaverState& state_;
    HWND window_;
};

} // namespace

void SetSaverRunning(bool older_family, bool running)
{
    if (!older_family)
        return;
    BOOL flag = running ? TRUE : FALSE;
    SystemParametersInfoW(kSpiScreenSaverRunning, flag, &flag, 0);
}

void LoadPasswordVerifier(SaverState& state)
{
    if (!state.older_family)
        return;
    if (state.password_library)
        UnloadPasswordVerifier(state);
    if (!PasswordSwitchedOn())
        return;
    state.password_library = Library(LoadLibraryW(L"PASSWORD.CPL"));
    state.verifier = LibraryFunction<VerifyScreenSavePwdFn>(state.password_library.get(), "VerifyScreenSavePwd");
    if (state.verifier)
        SetSaverRunning(state.older_family, true);
    else
        UnloadPasswordVerifier(state);
}

void UnloadPasswordVerifier(SaverState& state)
{
    if (!state.older_family)
        return;
    state.password_library.reset();
    if (state.verifier) {
        state.verifier = nullptr;
        SetSaverRunning(state.older_family, false);
    }
}

bool VerifyPassword(SaverState& state, HWND window)
{
    WindowPrompt prompt(state, window);
    return state.password.Verify(prompt);
}

void ChangePassword(HWND parent)
{
    using PwdChangePasswordFn = DWORD(WINAPI*)(LPCWSTR, HWND, DWORD, LPVOID);
    Library mpr(LoadLibraryW(L"MPR.DLL"));
    if (const auto change = LibraryFunction<PwdChangePasswordFn>(mpr.get(), "PwdChangePasswordW"))
        change(L"SCRSAVE", parent, 0, nullptr);
}

} // namespace saver::win32
