// A helper for the end-to-end tests, run under Wine beside Tessel.scr.
//   saver_probe count              prints the number of full-screen saver windows
//   saver_probe preview SCR        hosts a preview of SCR in a window of its own,
//                                  checks that it paints a changing picture, closes
//                                  it and prints what it saw; exit code 0 = as expected
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

// Pixels of a screen rectangle, read through the screen's device context.
std::vector<DWORD> Grab(const RECT& r)
{
    const int w = r.right - r.left, h = r.bottom - r.top;
    std::vector<DWORD> pixels(static_cast<size_t>(w) * h);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    std::memcpy(pixels.data(), bits, pixels.size() * 4);
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

double NonBlack(const std::vector<DWORD>& pixels)
{
    size_t n = 0;
    for (DWORD p : pixels)
        n += (p & 0xFFFFFF) != 0;
    return pixels.empty() ? 0.0 : static_cast<double>(n) / pixels.size();
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
    Pump(3000);
    HWND child = FindPreview(parent);
    RECT area{};
    GetWindowRect(parent, &area);
    const auto first = Grab(area);
    Pump(1000);
    const auto second = Grab(area);
    const bool changed = first != second;
    std::printf("child=%d nonblack=%.4f changed=%d\n", child != nullptr, NonBlack(second), changed ? 1 : 0);

    DestroyWindow(parent);
    DWORD exit_code = 9999;
    const bool ended = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(process.hProcess, 1);
    GetExitCodeProcess(process.hProcess, &exit_code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::printf("ended=%d exit=%lu\n", ended ? 1 : 0, exit_code);
    return (child && ended && exit_code == 0 && changed && NonBlack(second) > 0.05) ? 0 : 1;
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
