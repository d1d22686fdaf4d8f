// Shows the three dialogs one after another, in the user's language, for
// pictures taken from the X display (xwd). Runs only when
// TESSEL_UI_SCREENSHOTS names a folder, where a file tells which dialog is up
// and where; the checks themselves are elsewhere.
#include <gtest/gtest.h>

#include "DialogHarness.h"

#include <commctrl.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "config/WeftConfig.h"
#include "ui/DialogIds.h"
#include "ui/TextIds.h"
#include "ui/win32/DlgCellColor.h"
#include "ui/win32/NameDialog.h"
#include "ui/win32/SettingsDialog.h"
#include "ui/win32/UiLanguage.h"

namespace {

using namespace tessel_test;
using ui::win32::CellColorDialogProc;
using ui::win32::NameDialogProc;
using ui::win32::SettingsDialogProc;
using ui::win32::SettingsDialogParams;

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
    RECT r{};
    GetWindowRect(dialog, &r);
    std::ofstream(ScreenshotFolder() / "showing")
        << name << ' ' << r.left << ' ' << r.top << ' ' << r.right - r.left << ' ' << r.bottom - r.top << '\n';
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
    using ui::win32::CreateDialogWindow;

    SettingsDialogParams params{&config, false};
    HWND settings = CreateDialogWindow(nullptr, IDD_SETTINGS, SettingsDialogProc, reinterpret_cast<LPARAM>(&params));
    Capture(settings, "settings");
    DestroyWindow(settings);

    ui::ColorExchange colors{0, 255, 255, 1020, 128, 255, 0x00303030};
    HWND color = CreateDialogWindow(nullptr, IDD_CELL_COLOR, CellColorDialogProc, reinterpret_cast<LPARAM>(&colors));
    Capture(color, "cellcolor");
    DestroyWindow(color);

    ui::NameDialogExchange() = {ui::win32::UiText(IDS_NAME_TITLE), ui::win32::UiTextF(IDS_NAME_PROMPT, 15), 15,
                                L"Glider galaxy"};
    HWND name = CreateDialogWindow(nullptr, IDD_NAME, NameDialogProc);
    Capture(name, "name");
    DestroyWindow(name);
}

} // namespace
