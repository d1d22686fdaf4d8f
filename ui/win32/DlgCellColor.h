#pragma once
#include <windows.h>

#include "ui/CellColorState.h"

namespace ui::win32 {

// The cell colour dialog (resource 131). lparam of the opening points at the
// seven colour values, which OK rewrites: 1 after OK, 2 after Cancel.
INT_PTR CALLBACK CellColorDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR ShowCellColorDialog(HWND owner, ui::ColorExchange& values);

} // namespace ui::win32
