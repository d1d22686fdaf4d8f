#include "ui/win32/NameDialog.h"

#include "ui/DialogIds.h"
#include "ui/win32/DialogControls.h"
#include "ui/win32/UiLanguage.h"

namespace ui::win32 {
namespace {

void OnInit(HWND dialog)
{
    const ui::NameDialogValues& values = ui::NameDialogExchange();
    SetWindowTextW(dialog, values.title.c_str());
    SetItemText(dialog, IDC_NAME_PROMPT, values.prompt.c_str());
    SetTextLimit(dialog, IDC_NAME_TEXT, values.length);
    SetItemText(dialog, IDC_NAME_TEXT, values.text.c_str());
}

void OnOk(HWND dialog)
{
    ui::NameDialogValues& values = ui::NameDialogExchange();
    values.text = ItemText(dialog, IDC_NAME_TEXT);
    values.length = static_cast<std::int32_t>(values.text.size());
    EndDialog(dialog, IDOK);
}

} // namespace

INT_PTR CALLBACK NameDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) {
            OnOk(dialog);
            return TRUE;
        }
        if (LOWORD(wparam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR ShowNameDialog(HWND owner)
{
    return ShowDialog(owner, IDD_NAME, NameDialogProc);
}

} // namespace ui::win32
