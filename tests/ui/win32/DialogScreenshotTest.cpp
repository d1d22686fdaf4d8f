// Shows the three dialogs one after another for pictures taken from the X
// display (xwd). Runs only when TESSEL_UI_SCREENSHOTS names a folder, where a
// file tells which dialog is up; the checks themselves are elsewhere.
#include <gtest/gtest.h>

#include "DialogHarness.h"

#include <commctrl.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "config/WeftConfig.h"
#include "ui/DialogIds.h"
#include "ui/win32/DlgCellColor.h"
#include "ui/win32/NameDialog.h"
#include "ui/win32/SettingsDialog.h"

namespace {

using namespace tessel_test;

void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

std::filesystem::path ScreenshotFolder()
{
    const char* folder = std::getenv("TESSEL_UI_SCREENSHOTS");
    return folder ? std::filesystem::path(folder) : std::filesystem::path();
}

void Capture(HWND dialog, const char* name)
{
    SetWindowPos(dialog, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    PumpFor(1000);
    std::ofstream(ScreenshotFolder() / "showing") << name << '\n';
    PumpFor(3000);
}

TEST(DialogScreenshots, SavedWhenAsked)
{
    if (ScreenshotFolder().empty())
        GTEST_SKIP() << "set TESSEL_UI_SCREENSHOTS to a folder to save pictures";
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    config::WeftConfig config;
    TempDataFile file(L"tessel_ui_screenshot.dat");
    config.data_file_path = file.path();
    config.user_data_file_path.clear();  // no per-user place: only this file
    const HINSTANCE module = GetModuleHandleW(nullptr);

    SettingsDialogParams params{&config, false};
    HWND settings = CreateDialogParamW(module, MAKEINTRESOURCEW(IDD_SETTINGS), nullptr, SettingsDialogProc,
                                       reinterpret_cast<LPARAM>(&params));
    Capture(settings, "settings");
    DestroyWindow(settings);

    ui::ColorExchange colors{0, 255, 255, 1020, 128, 255, 0x00303030};
    HWND color = CreateDialogParamW(module, MAKEINTRESOURCEW(IDD_CELL_COLOR), nullptr, CellColorDialogProc,
                                    reinterpret_cast<LPARAM>(&colors));
    Capture(color, "cellcolor");
    DestroyWindow(color);

    ui::NameDialogExchange() = {L"名称設定", L"名称（15文字まで）を入力してください", 15, L"グライダー銀河"};
    HWND name = CreateDialogParamW(module, MAKEINTRESOURCEW(IDD_NAME), nullptr, NameDialogProc, 0);
    Capture(name, "name");
    DestroyWindow(name);
}

} // namespace
