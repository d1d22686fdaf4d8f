#include "ui/win32/DialogControls.h"

#include <cstdarg>

#include "weftcpplib/WideFormat.h"

namespace ui::win32 {

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t buffer[kTextUnits] = {};
    const UINT length = GetDlgItemTextW(dialog, id, buffer, kTextUnits);
    return std::wstring(buffer, length);
}

void SetItemText(HWND dialog, int id, const wchar_t* text)
{
    SetDlgItemTextW(dialog, id, text);
}

void SetItemTextF(HWND dialog, int id, const wchar_t* format, ...)
{
    wchar_t buffer[kTextUnits];
    va_list args;
    va_start(args, format);
    weftcpplib::FormatWideV(buffer, kTextUnits, format, args);
    va_end(args);
    SetDlgItemTextW(dialog, id, buffer);
}

void SetTextLimit(HWND dialog, int id, int characters)
{
    SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, static_cast<WPARAM>(characters), 0);
}

void EnableItem(HWND dialog, int id, bool enabled)
{
    EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE);
}

bool IsItemChecked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void CheckItem(HWND dialog, int id, bool checked)
{
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void ClearAndDisable(HWND dialog, int id)
{
    SetDlgItemTextW(dialog, id, L"");
    EnableItem(dialog, id, false);
}

void ClearSelection(HWND dialog, int id)
{
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

bool SelectByItemData(HWND dialog, int id, LRESULT data)
{
    const LRESULT count = SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (SendDlgItemMessageW(dialog, id, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == data) {
            SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return true;
        }
    }
    return false;
}

HINSTANCE ResourceModule()
{
    return GetModuleHandleW(nullptr);
}

} // namespace ui::win32
