#pragma once
#include <windows.h>

#include "ui/NameDialogValues.h"

namespace ui::win32 {

// The text-entry dialog (resource 129). It shows and fills
// ui::NameDialogExchange(): 1 after OK, 2 after Cancel.
INT_PTR CALLBACK NameDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR ShowNameDialog(HWND owner);

} // namespace ui::win32
