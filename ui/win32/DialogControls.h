#pragma once
#include <windows.h>

#include <string>

// Small conveniences over the dialog-item calls shared by the three dialogs.
namespace ui::win32 {

// Every control text is read through a buffer of this many units.
inline constexpr int kTextUnits = 160;

// The control's text, at most kTextUnits - 1 characters.
std::wstring ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const wchar_t* text);
// printf-style text into the control (wide strings as %ls).
void SetItemTextF(HWND dialog, int id, const wchar_t* format, ...);

void SetTextLimit(HWND dialog, int id, int characters);
void EnableItem(HWND dialog, int id, bool enabled);
bool IsItemChecked(HWND dialog, int id);
void CheckItem(HWND dialog, int id, bool checked);
// An edit box emptied and disabled.
void ClearAndDisable(HWND dialog, int id);

// Drop-down lists.
void ClearSelection(HWND dialog, int id);
// Selects the entry whose item data is `data`; false (selection unchanged)
// when no entry has it.
bool SelectByItemData(HWND dialog, int id, LRESULT data);

// The module whose resources hold the dialog templates.
HINSTANCE ResourceModule();

} // namespace ui::win32
