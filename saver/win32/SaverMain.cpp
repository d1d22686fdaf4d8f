#include "saver/win32/SaverMain.h"

#include <commctrl.h>

#include "platform/win32/GdiHandles.h"
#include "saver/CommandLine.h"
#include "saver/win32/PasswordServices.h"
#include "saver/win32/ProcessObjects.h"
#include "saver/win32/RunSaver.h"
#include "ui/win32/SettingsDialog.h"
#include "weftcpplib/CWeftLogManager.h"

namespace saver::win32 {
namespace {

using platform::win32::LibraryFunction;
using ui::win32::ShowSettingsDialog;

// The last-resort fault handler has no other way to the run's state; the
// family never changes while the program runs.
bool older_family_at_fault = false;

void EnableHeapTermination()
{
    using HeapSetInformationFn = BOOL(WINAPI*)(HANDLE, HEAP_INFORMATION_CLASS, PVOID, SIZE_T);
    const auto set = LibraryFunction<HeapSetInformationFn>(GetModuleHandleW(L"KERNEL32.DLL"), "HeapSetInformation");
    if (set)
        set(nullptr, HeapEnableTerminationOnCorruption, nullptr, 0);
}

bool IsOlderFamily()
{
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&version))
        return false;
#pragma GCC diagnostic pop
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

HWND ExistingWindow(std::uintptr_t handle)
{
    const HWND window = reinterpret_cast<HWND>(handle);
    return (handle != 0 && IsWindow(window)) ? window : nullptr;
}

int RunCommand(SaverState& state, const SaverCommand& command)
{
    switch (command.mode) {
    case SaverMode::Settings:
        return static_cast<int>(ShowSettingsDialog(nullptr, weft_config));
    case SaverMode::SettingsOver: {
        const HWND parent = ExistingWindow(command.window);
        return static_cast<int>(ShowSettingsDialog(parent ? parent : GetForegroundWindow(), weft_config));
    }
    case SaverMode::FullScreen:
        return RunSaver(state, nullptr);
    case SaverMode::Preview: {
        const HWND parent = ExistingWindow(command.window);
        return parent ? RunSaver(state, parent) : -1;
    }
    case SaverMode::ChangePassword: {
        if (!state.older_family)
            return -1;
        const HWND parent = ExistingWindow(command.window);
        ChangePassword(parent ? parent : GetForegroundWindow());
        return 0;
    }
    case SaverMode::Invalid:
        break;
    }
    return -1;
}

// Last resort for faults no handler caught: the system must not believe a
// saver is still running.
LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS*)
{
    SetSaverRunning(older_family_at_fault, false);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

int SaverMain(HINSTANCE instance, const wchar_t* command_line, int)
{
    EnableHeapTermination();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    SaverState state;
    state.instance = instance;
    state.older_family = IsOlderFamily();
    older_family_at_fault = state.older_family;

    SetUnhandledExceptionFilter(OnUnhandledException);
    try {
        return RunCommand(state, ParseSaverCommand(command_line));
    } catch (...) {
        weftcpplib::WeftLog().PrintAt(weftcpplib::LOG_FATAL, L"SaverMain.cpp", __LINE__, L"unexpected exception");
        SetSaverRunning(state.older_family, false);
        return -1;
    }
}

} // namespace saver::win32
