// The cell colour dialog: nine edit-and-trackbar pairs, two switches and a
// preview strip repainted from scratch on every change.
#include "ui/win32/DlgCellColor.h"

#include <commctrl.h>

#include <memory>

#include "ui/ColorPreview.h"
#include "ui/DialogIds.h"
#include "ui/win32/DialogControls.h"
#include "ui/win32/UiLanguage.h"
#include "platform/win32/DeviceBitmap.h"
#include "platform/win32/GdiHandles.h"
#include "weftcpplib/CDIBData.h"
#include "weftcpplib/CWeftLogManager.h"

namespace ui::win32 {
namespace {

using platform::win32::DeviceBitmap;
using platform::win32::PaintScope;

constexpr wchar_t kSourceFile[] = L"DlgCellColor.cpp";

struct ColorDialogState {
    ui::ColorExchange* exchange = nullptr;
    ui::CellColorState colors;
    ui::PreviewRect gradient{};
};

ColorDialogState& State()
{
    static ColorDialogState state;
    return state;
}

// Lives from one opening to the next, and past the last one.
std::unique_ptr<weftcpplib::CDIBData>& PreviewImage()
{
    static std::unique_ptr<weftcpplib::CDIBData> image;
    return image;
}

int EditId(int slot) { return IDC_HUE0_EDIT + slot; }
int BarId(int slot) { return IDC_HUE0_BAR + slot; }
int PageSize(int slot) { return ui::IsHueSlot(slot) ? 255 : 16; }
int TextLimitOf(int slot) { return ui::IsHueSlot(slot) ? 4 : 3; }

void Invalidate(HWND dialog)
{
    InvalidateRect(dialog, nullptr, FALSE);
}

void SetBarRange(HWND dialog, int slot)
{
    SendDlgItemMessageW(dialog, BarId(slot), TBM_SETRANGE, TRUE, MAKELPARAM(0, ui::SlotUpperBound(slot)));
    SendDlgItemMessageW(dialog, BarId(slot), TBM_SETPAGESIZE, 0, PageSize(slot));
}

void SetBarPosition(HWND dialog, int slot, std::int32_t position)
{
    SendDlgItemMessageW(dialog, BarId(slot), TBM_SETPOS, TRUE, position);
}

void ShowSlot(HWND dialog, int slot)
{
    const std::int32_t value = State().colors.values[slot];
    SetTextLimit(dialog, EditId(slot), TextLimitOf(slot));
    SetItemTextF(dialog, EditId(slot), L"%u", static_cast<unsigned>(value));
    SetBarPosition(dialog, slot, value);
}

void RefreshColorControls(HWND dialog)
{
    const ui::CellColorState& colors = State().colors;
    for (int slot = ui::kHue0; slot <= ui::kVal255; ++slot) {
        SetBarRange(dialog, slot);
        ShowSlot(dialog, slot);
    }
    for (int slot = ui::kBgHue; slot <= ui::kBgVal; ++slot)
        SetBarRange(dialog, slot);
    CheckItem(dialog, IDC_BG_ENABLED, colors.background_enabled);
    for (int slot = ui::kBgHue; slot <= ui::kBgVal; ++slot) {
        if (colors.background_enabled) {
            ShowSlot(dialog, slot);
        } else {
            // The values stay, so checking the box again brings them back.
            SetItemText(dialog, EditId(slot), L"");
            SetBarPosition(dialog, slot, 0);
        }
        EnableItem(dialog, EditId(slot), colors.background_enabled);
        EnableItem(dialog, BarId(slot), colors.background_enabled);
    }
    CheckItem(dialog, IDC_HUE_REVERSED, colors.hue_reversed);
}

void OnInit(HWND dialog, ui::ColorExchange* exchange)
{
    ColorDialogState& state = State();
    state.exchange = exchange;
    state.colors = ui::LoadColorState(*exchange);
    RECT client{};
    GetClientRect(GetDlgItem(dialog, IDC_PREVIEW), &client);
    PreviewImage() = weftcpplib::MakeImage(client.right - client.left, client.bottom - client.top);
    state.gradient = ui::GradientRect(client.right - client.left, client.bottom - client.top);
    RefreshColorControls(dialog);
}

void ApplyEditText(HWND dialog, int slot)
{
    std::int32_t& value = State().colors.values[slot];
    value = ui::ValueFromText(ItemText(dialog, EditId(slot)), value, slot);
    SetItemTextF(dialog, EditId(slot), L"%d", value);
    SetBarPosition(dialog, slot, value);
    Invalidate(dialog);
}

// The slot of the edit box that has the focus, or -1.
int FocusedEditSlot(HWND dialog)
{
    const HWND focus = GetFocus();
    if (!focus || GetParent(focus) != dialog)
        return -1;
    const int id = GetDlgCtrlID(focus);
    return id >= IDC_HUE0_EDIT && id <= IDC_BG_VAL_EDIT ? id - IDC_HUE0_EDIT : -1;
}

void OnOk(HWND dialog)
{
    // Enter in an edit box reaches OK without the box losing the focus; what
    // was typed there still counts.
    const int slot = FocusedEditSlot(dialog);
    if (slot >= 0)
        ApplyEditText(dialog, slot);
    *State().exchange = ui::StoreColorState(State().colors);
    EndDialog(dialog, IDOK);
}

bool OnCommand(HWND dialog, int id, int code)
{
    if (id >= IDC_HUE0_EDIT && id <= IDC_BG_VAL_EDIT) {
        if (code == EN_KILLFOCUS)
            ApplyEditText(dialog, id - IDC_HUE0_EDIT);
        return false;
    }
    switch (id) {
    case IDC_BG_ENABLED:
        State().colors.background_enabled = IsItemChecked(dialog, IDC_BG_ENABLED);
        RefreshColorControls(dialog);
        Invalidate(dialog);
        return false;
    case IDC_HUE_REVERSED:
        State().colors.hue_reversed = IsItemChecked(dialog, IDC_HUE_REVERSED);
        RefreshColorControls(dialog);
        Invalidate(dialog);
        return false;
    case IDOK:
        OnOk(dialog);
        return true;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return true;
    default:
        return false;
    }
}

void OnScroll(HWND dialog, HWND bar)
{
    const int id = bar ? GetDlgCtrlID(bar) : 0;
    if (id >= IDC_HUE0_BAR && id <= IDC_BG_VAL_BAR) {
        const int slot = id - IDC_HUE0_BAR;
        const auto position = static_cast<std::int32_t>(SendMessageW(bar, TBM_GETPOS, 0, 0));
        State().colors.values[slot] = position;
        SetItemTextF(dialog, EditId(slot), L"%d", position);
    }
    Invalidate(dialog);
}

void LogPaintFailure()
{
    WEFT_LOG_SYSTEM_ERROR(kSourceFile, GetLastError());
}

// Copies the preview image into control 1048 through a compatible bitmap.
void ShowPreview(HWND dialog, const weftcpplib::CDIBData& image)
{
    PaintScope paint(GetDlgItem(dialog, IDC_PREVIEW));
    if (!paint.dc()) {
        LogPaintFailure();
        return;
    }
    const DeviceBitmap bitmap(paint.dc(), image);
    switch (bitmap.failed()) {
    case DeviceBitmap::Step::None:
        break;
    case DeviceBitmap::Step::Rows:
        return; // the image reported it
    case DeviceBitmap::Step::MemoryDC:
    case DeviceBitmap::Step::Bitmap:
        LogPaintFailure();
        return;
    }
    if (!BitBlt(paint.dc(), 0, 0, image.Width(), image.Height(), bitmap.memory(), 0, 0, SRCCOPY))
        LogPaintFailure();
}

void OnPaint(HWND dialog)
{
    weftcpplib::CDIBData* image = PreviewImage().get();
    if (!image)
        return;
    ui::DrawColorPreview(*image, State().gradient, State().colors);
    ShowPreview(dialog, *image);
}

} // namespace

INT_PTR CALLBACK CellColorDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog, reinterpret_cast<ui::ColorExchange*>(lparam));
        return TRUE;
    case WM_PAINT:
        // The dialog itself is left to the default painting.
        OnPaint(dialog);
        return FALSE;
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wparam), HIWORD(wparam)) ? TRUE : FALSE;
    case WM_HSCROLL:
        OnScroll(dialog, reinterpret_cast<HWND>(lparam));
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR ShowCellColorDialog(HWND owner, ui::ColorExchange& values)
{
    // The trackbars need their class whatever the host initialised.
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    return ShowDialog(owner, IDD_CELL_COLOR, CellColorDialogProc, reinterpret_cast<LPARAM>(&values));
}

} // namespace ui::win32
