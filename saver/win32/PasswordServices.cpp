#include <windows.h>

#include "saver/win32/HostState.h"

// The screen-saver password of the older Windows family: a registry switch,
// a verifier in the password control-panel library, and the network
// provider router for changing it. Missing pieces disable the feature.
namespace saver {
namespace {

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
    explicit WindowPrompt(HWND window) : window_(window) {}
    bool HasVerifier() const override { return Host().verifier != nullptr; }
    std::uint32_t NowMs() override { return GetTickCount(); }
    void DropPendingTimers() override
    {
        MSG message;
        for (int i = 0; i < 2; ++i)
            PeekMessageW(&message, window_, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    }
    bool Ask() override { return SendMessageW(window_, MSG_VERIFY_PASSWORD, 0, 0) != 0; }
    void HideCursor() override { saver::HideCursor(); }

private:
    HWND window_;
};

} // namespace

void SetSaverRunning(bool running)
{
    if (!Host().older_family)
        return;
    BOOL flag = running ? TRUE : FALSE;
    SystemParametersInfoW(kSpiScreenSaverRunning, flag, &flag, 0);
}

void LoadPasswordVerifier()
{
    HostState& host = Host();
    if (!host.older_family)
        return;
    if (host.password_library)
        UnloadPasswordVerifier();
    if (!PasswordSwitchedOn())
        return;
    host.password_library = Library(LoadLibraryW(L"PASSWORD.CPL"));
    host.verifier = LibraryFunction<VerifyScreenSavePwdFn>(host.password_library.get(), "VerifyScreenSavePwd");
    if (host.verifier)
        SetSaverRunning(true);
    else
        UnloadPasswordVerifier();
}

void UnloadPasswordVerifier()
{
    HostState& host = Host();
    if (!host.older_family)
        return;
    host.password_library.reset();
    if (host.verifier) {
        host.verifier = nullptr;
        SetSaverRunning(false);
    }
}

bool VerifyPassword(HWND window)
{
    WindowPrompt prompt(window);
    return Host().password.Verify(prompt);
}

void ChangePassword(HWND parent)
{
    using PwdChangePasswordFn = DWORD(WINAPI*)(LPCWSTR, HWND, DWORD, LPVOID);
    Library mpr(LoadLibraryW(L"MPR.DLL"));
    if (const auto change = LibraryFunction<PwdChangePasswordFn>(mpr.get(), "PwdChangePasswordW"))
        change(L"SCRSAVE", parent, 0, nullptr);
}

} // namespace saver
