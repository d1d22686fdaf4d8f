#pragma once
#include <windows.h>

namespace config {
class WeftConfig;
}

namespace ui::win32 {

// The settings dialog (resource 2003), run modally on the given model: it
// reads the data file, edits working copies, and on OK stores them into the
// model and writes the file. Returns 0 after OK, 1 after Cancel.
// preview_mode is the host's flag, logged when the dialog opens.
INT_PTR ShowSettingsDialog(HWND parent, config::WeftConfig& config, bool preview_mode = false);

// What the dialog procedure expects as the lparam of its opening.
struct SettingsDialogParams {
    config::WeftConfig* config;
    bool preview_mode;
};

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace ui::win32
