// A helper for the end-to-end tests, run under Wine beside Tessel.scr.
//   saver_probe count              prints the number of full-screen saver windows
//   saver_probe preview SCR        hosts a preview of SCR in a window of its own,
//                                  prints the preview's size, closes it when
//                                  the file preview.done appears in the current
//                                  folder (at most 40 s later); exit code 0 = it ran
//                                  and ended with 0
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
    if (argc >= 3 && std::wcscmp(argv[1], L"preview") == 0)
        return Preview(argv[2]);
    std::printf("usage: saver_probe count | preview SCR\n");
    return 2;
}
