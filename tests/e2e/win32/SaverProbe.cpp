// A helper for the end-to-end tests, run under Wine beside Tessel.scr.
//   saver_probe count              prints the number of full-screen saver windows
//   saver_probe preview SCR        hosts a preview of SCR in a window of its own,
//                                  prints the preview's size, closes it when
//                                  the file preview.done appears in the current
//                                  folder (at most 40 s later); exit code 0 = it ran
//                                  and ended with 0
//   saver_probe monitors           prints the monitors and the virtual screen as
//                                  Windows sees them, and the saver window's
//                                  rectangle when one runs
//   saver_probe detach             detaches the first monitor that is not the
//                                  primary through the display settings, as the
//                                  user's display settings do; prints the result
//                                  codes
//   saver_probe cursor X Y         puts the pointer at X,Y through Wine, so that
//                                  Wine's idea of it matches the X server's
//   saver_probe mousemove          hands the saver window a mouse move without moving
//                                  the pointer, as the system does when windows
//                                  or monitors move under it; returns once the
//                                  saver has handled it
//   saver_probe notify             tells every window that the display changed,
//                                  as Windows does when a monitor is plugged in,
//                                  removed or moved (Wine 8 tells only its own
//                                  desktop when the X server's monitors change)
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kSaverClass[] = L"WindowsScreenSaverClass";

BOOL CALLBACK CountOne(HWND window, LPARAM param)
{
    wchar_t cls[64] = {}, title[64] = {};
    GetClassNameW(window, cls, 64);
    GetWindowTextW(window, title, 64);
    if (std::wcscmp(cls, kSaverClass) == 0 && std::wcscmp(title, L"Screen Saver") == 0)
        ++*reinterpret_cast<int*>(param);
    return TRUE;
}

int CountSavers()
{
    int count = 0;
    EnumWindows(CountOne, reinterpret_cast<LPARAM>(&count));
    std::printf("savers=%d\n", count);
    return 0;
}

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(monitor, &info);
    const RECT& r = info.rcMonitor;
    std::printf("monitor=%ld,%ld,%ld,%ld primary=%d\n", r.left, r.top, r.right - r.left, r.bottom - r.top,
                (info.dwFlags & MONITORINFOF_PRIMARY) ? 1 : 0);
    return TRUE;
}

int Monitors()
{
    std::printf("count=%d\n", GetSystemMetrics(SM_CMONITORS));
    std::printf("virtual=%d,%d,%d,%d\n", GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0);
    if (HWND saver = FindWindowW(kSaverClass, L"Screen Saver")) {
        RECT r{};
        GetWindowRect(saver, &r);
        std::printf("saver=%ld,%ld,%ld,%ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    return 0;
}

// The device name of the first attached display that is not the primary.
bool SecondDisplay(wchar_t (&name)[32])
{
    DISPLAY_DEVICEW device{};
    device.cb = sizeof(device);
    for (DWORD i = 0; EnumDisplayDevicesW(nullptr, i, &device, 0); ++i) {
        if ((device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) &&
            !(device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE)) {
            std::wcsncpy(name, device.DeviceName, 31);
            name[31] = 0;
            return true;
        }
        device.cb = sizeof(device);
    }
    return false;
}

int Detach()
{
    wchar_t name[32] = {};
    if (!SecondDisplay(name)) {
        std::printf("no second display\n");
        return 1;
    }
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    if (!EnumDisplaySettingsW(name, ENUM_CURRENT_SETTINGS, &mode)) {
        std::printf("no current mode\n");
        return 1;
    }
    // No width and height: the display leaves the desktop.
    mode.dmFields = DM_POSITION | DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = 0;
    mode.dmPelsHeight = 0;
    const LONG stored = ChangeDisplaySettingsExW(name, &mode, nullptr, CDS_UPDATEREGISTRY | CDS_NORESET, nullptr);
    const LONG applied = ChangeDisplaySettingsExW(nullptr, nullptr, nullptr, 0, nullptr);
    std::printf("display=%ls stored=%ld applied=%ld\n", name, stored, applied);
    return stored == DISP_CHANGE_SUCCESSFUL && applied == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
}

int PlaceCursor(const wchar_t* x, const wchar_t* y)
{
    const BOOL moved = SetCursorPos(std::wcstol(x, nullptr, 10), std::wcstol(y, nullptr, 10));
    POINT now{};
    GetCursorPos(&now);
    std::printf("cursor=%ld,%ld\n", now.x, now.y);
    return moved ? 0 : 1;
}

int NotifyDisplayChange()
{
    DWORD_PTR result = 0;
    const LRESULT sent = SendMessageTimeoutW(
        HWND_BROADCAST, WM_DISPLAYCHANGE, 32,
        MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)), SMTO_ABORTIFHUNG, 5000, &result);
    std::printf("notified=%d\n", sent != 0 ? 1 : 0);
    return sent != 0 ? 0 : 1;
}

int SendMouseMove()
{
    HWND saver = FindWindowW(kSaverClass, L"Screen Saver");
    DWORD_PTR result = 0;
    const LRESULT sent =
        saver ? SendMessageTimeoutW(saver, WM_MOUSEMOVE, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) : 0;
    std::printf("mousemove=%d\n", sent != 0 ? 1 : 0);
    return sent != 0 ? 0 : 1;
}

void Pump(DWORD ms)
{
    const DWORD end = GetTickCount() + ms;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

HWND FindPreview(HWND parent)
{
    return FindWindowExW(parent, nullptr, kSaverClass, L"Preview");
}

int Preview(const wchar_t* scr)
{
    WNDCLASSW cls{};
    cls.lpfnWndProc = DefWindowProcW;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    cls.lpszClassName = L"TesselProbeParent";
    RegisterClassW(&cls);
    HWND parent = CreateWindowExW(0, cls.lpszClassName, L"Probe", WS_POPUP | WS_VISIBLE, 100, 100, 320, 240,
                                  nullptr, nullptr, cls.hInstance, nullptr);
    Pump(300);

    wchar_t command[600];
    std::swprintf(command, 600, L"\"%ls\" /p %lu", scr, static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(parent)));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("cannot start %ls (%lu)\n", scr, GetLastError());
        return 1;
    }
    // A busy machine may take a while to start the saver.
    HWND child = nullptr;
    for (int i = 0; i < 200 && !child; ++i) {
        Pump(100);
        child = FindPreview(parent);
    }
    RECT client{};
    if (child)
        GetClientRect(child, &client);
    std::printf("child=%d size=%ldx%ld\n", child != nullptr, client.right, client.bottom);
    std::fflush(stdout);
    for (int i = 0; i < 400 && GetFileAttributesW(L"preview.done") == INVALID_FILE_ATTRIBUTES; ++i)
        Pump(100);

    DestroyWindow(parent);
    DWORD exit_code = 9999;
    const bool ended = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(process.hProcess, 1);
    GetExitCodeProcess(process.hProcess, &exit_code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::printf("ended=%d exit=%lu\n", ended ? 1 : 0, exit_code);
    return (child && ended && exit_code == 0) ? 0 : 1;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc >= 2 && std::wcscmp(argv[1], L"count") == 0)
        return CountSavers();
    if (argc >= 2 && std::wcscmp(argv[1], L"detach") == 0)
        return Detach();
    if (argc >= 4 && std::wcscmp(argv[1], L"cursor") == 0)
        return PlaceCursor(argv[2], argv[3]);
    if (argc >= 2 && std::wcscmp(argv[1], L"notify") == 0)
        return NotifyDisplayChange();
    if (argc >= 2 && std::wcscmp(argv[1], L"mousemove") == 0)
        return SendMouseMove();
    if (argc >= 2 && std::wcscmp(argv[1], L"monitors") == 0)
        return Monitors();
    if (argc >= 3 && std::wcscmp(argv[1], L"preview") == 0)
        return Preview(argv[2]);
    std::printf("usage: saver_probe count | monitors | detach | cursor X Y | notify | mousemove | preview SCR\n");
    return 2;
}
