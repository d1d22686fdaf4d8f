#include "DialogHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace tessel_test {
namespace {

DialogHarness* g_harness = nullptr;

// Message boxes keep their text in a static control with this id.
constexpr int kMessageBoxTextId = 0xFFFF;
// What a driven dialog ends with when its driver left it open.
constexpr INT_PTR kForcedEnd = 77;
constexpr int kMaxLooks = 2000;

std::wstring WindowText(HWND window)
{
    wchar_t buffer[1024] = {};
    GetWindowTextW(window, buffer, 1024);
    return buffer;
}

} // namespace

DialogHarness::DialogHarness()
{
    g_harness = this;
    hook_ = SetWindowsHookExW(WH_CALLWNDPROCRET, HookProc, nullptr, GetCurrentThreadId());
    EXPECT_NE(hook_, nullptr);
}

DialogHarness::~DialogHarness()
{
    if (hook_)
        UnhookWindowsHookEx(hook_);
    g_harness = nullptr;
    EXPECT_TRUE(drivers_.empty()) << "a queued dialog never opened";
}

std::wstring DialogHarness::OnlyMessage() const
{
    if (messages_.empty())
        return L"";
    EXPECT_EQ(messages_.size(), 1u);
    return messages_.back().text;
}

LRESULT CALLBACK DialogHarness::HookProc(int code, WPARAM wparam, LPARAM lparam)
{
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lparam);
    if (code == HC_ACTION && g_harness && call->message == WM_INITDIALOG)
        g_harness->OnDialogReady(call->hwnd);
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

void DialogHarness::OnDialogReady(HWND dialog)
{
    if (HWND text = GetDlgItem(dialog, kMessageBoxTextId)) {
        messages_.push_back({WindowText(dialog), WindowText(text)});
        int answer = IDOK;
        if (!answers_.empty()) {
            answer = answers_.front();
            answers_.pop_front();
        }
        PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(answer), 0);
        return;
    }
    // Dialogs the test opens itself have no owner and are driven directly.
    if (!GetWindow(dialog, GW_OWNER))
        return;
    pending_dialog_ = dialog;
    if (!drivers_.empty()) {
        pending_driver_ = std::move(drivers_.front());
        drivers_.pop_front();
    } else {
        ADD_FAILURE() << "an unexpected dialog opened: " << WindowText(dialog).size() << " title units";
        pending_driver_ = nullptr;
    }
    // The driver runs from the dialog's own modal loop.
    SetTimer(nullptr, 0, 1, RunDriver);
}

void CALLBACK DialogHarness::RunDriver(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    DialogHarness* self = g_harness;
    if (!self || !self->pending_dialog_)
        return;
    const HWND dialog = self->pending_dialog_;
    // The modal loop shows its dialog only once its queue is empty, which a
    // busy machine may delay past the first tick: the driver acts on the
    // shown dialog, as a user does (a dialog never shown is driven all the
    // same after 2,000 looks, and fails its checks).
    if (IsWindow(dialog) && !IsWindowVisible(dialog) && ++self->looks_ < kMaxLooks) {
        SetTimer(nullptr, 0, 10, RunDriver);
        return;
    }
    self->looks_ = 0;
    auto driver = std::move(self->pending_driver_);
    self->pending_dialog_ = nullptr;
    if (driver)
        driver(dialog);
    if (IsWindow(dialog) && IsWindowVisible(dialog)) {
        if (driver)
            ADD_FAILURE() << "the driver left its dialog open";
        EndDialog(dialog, kForcedEnd);
    }
}

std::wstring Text(HWND dialog, int id)
{
    wchar_t buffer[512] = {};
    GetDlgItemTextW(dialog, id, buffer, 512);
    return buffer;
}

void SetText(HWND dialog, int id, const std::wstring& text)
{
    SetDlgItemTextW(dialog, id, text.c_str());
}

void Click(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_AUTOCHECKBOX)
        CheckDlgButton(dialog, id, IsDlgButtonChecked(dialog, id) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    else if (type == BS_AUTORADIOBUTTON)
        CheckDlgButton(dialog, id, BST_CHECKED);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

bool Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

bool Enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

LRESULT Send(HWND dialog, int id, UINT message, WPARAM wparam, LPARAM lparam)
{
    return SendDlgItemMessageW(dialog, id, message, wparam, lparam);
}

void ChooseComboEntry(HWND dialog, int id, int index)
{
    Send(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index));
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void ChooseListEntry(HWND dialog, int id, int index)
{
    Send(dialog, id, LB_SETCURSEL, static_cast<WPARAM>(index));
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::wstring ListEntryText(HWND dialog, int id, int index)
{
    wchar_t buffer[512] = {};
    Send(dialog, id, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

TempDataFile::TempDataFile(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    path_ = std::wstring(folder) + name;
    DeleteFileW(path_.c_str());
}

TempDataFile::~TempDataFile()
{
    DeleteFileW(path_.c_str());
}

bool TempDataFile::exists() const
{
    return GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<char> TempDataFile::bytes() const
{
    std::ifstream in(std::filesystem::path(path_), std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace tessel_test
