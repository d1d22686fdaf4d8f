#include <gtest/gtest.h>

#include "DialogHarness.h"
#include "ui/DialogIds.h"
#include "ui/win32/NameDialog.h"

namespace {

using namespace tessel_test;
using ui::win32::NameDialogProc;
using ui::win32::ShowNameDialog;

class NameDialogTest : public ::testing::Test {
protected:
    void Open(const std::wstring& text, int length = 15)
    {
        auto& values = ui::NameDialogExchange();
        values.title = L"名称設定";
        values.prompt = L"名称（15文字まで）を入力してください";
        values.length = length;
        values.text = text;
        dialog_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_NAME), nullptr,
                                     NameDialogProc, 0);
        ASSERT_NE(dialog_, nullptr);
    }
    void TearDown() override
    {
        if (dialog_)
            DestroyWindow(dialog_);
    }
    HWND dialog_ = nullptr;
};

TEST_F(NameDialogTest, ShowsTitlePromptAndTextAndLimitsTyping)
{
    Open(L"グライダー");
    wchar_t title[64] = {};
    GetWindowTextW(dialog_, title, 64);
    EXPECT_STREQ(title, L"名称設定");
    EXPECT_EQ(Text(dialog_, IDC_NAME_PROMPT), L"名称（15文字まで）を入力してください");
    EXPECT_EQ(Text(dialog_, IDC_NAME_TEXT), L"グライダー");
    EXPECT_EQ(Send(dialog_, IDC_NAME_TEXT, EM_GETLIMITTEXT), 15);
    // Typing stops at the limit.
    Send(dialog_, IDC_NAME_TEXT, EM_SETSEL, 0, -1);
    for (wchar_t c : std::wstring(L"ABCDEFGHIJKLMNOPQRST"))
        Send(dialog_, IDC_NAME_TEXT, WM_CHAR, c, 1);
    EXPECT_EQ(Text(dialog_, IDC_NAME_TEXT), L"ABCDEFGHIJKLMNO");
    Click(dialog_, IDOK);
    EXPECT_EQ(ui::NameDialogExchange().text, L"ABCDEFGHIJKLMNO");
    EXPECT_EQ(ui::NameDialogExchange().length, 15);
    EXPECT_EQ(ui::NameDialogExchange().title, L"名称設定");
}

TEST_F(NameDialogTest, EmptyTextComesBackEmpty)
{
    Open(L"name");
    SetText(dialog_, IDC_NAME_TEXT, L"");
    Click(dialog_, IDOK);
    EXPECT_EQ(ui::NameDialogExchange().text, L"");
    EXPECT_EQ(ui::NameDialogExchange().length, 0);
}

TEST_F(NameDialogTest, CancelLeavesTheValues)
{
    Open(L"before");
    SetText(dialog_, IDC_NAME_TEXT, L"after");
    Click(dialog_, IDCANCEL);
    EXPECT_EQ(ui::NameDialogExchange().text, L"before");
    EXPECT_EQ(ui::NameDialogExchange().length, 15);
}

TEST_F(NameDialogTest, LongerInitialTextComesBackWhole)
{
    Open(L"0123456789ABCDEFGHIJ", 15);
    EXPECT_EQ(Text(dialog_, IDC_NAME_TEXT), L"0123456789ABCDEFGHIJ");
    Click(dialog_, IDOK);
    EXPECT_EQ(ui::NameDialogExchange().text, L"0123456789ABCDEFGHIJ");
    EXPECT_EQ(ui::NameDialogExchange().length, 20);
}

TEST(NameDialogModal, ResultsAreOneAndTwo)
{
    DialogHarness harness;
    ui::NameDialogExchange() = {L"t", L"p", 15, L"x"};
    harness.QueueDriver([](HWND d) {
        SetText(d, IDC_NAME_TEXT, L"y");
        Click(d, IDOK);
    });
    // An owner makes the harness drive it, as the settings dialog does.
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(ShowNameDialog(owner), IDOK);
    EXPECT_EQ(ui::NameDialogExchange().text, L"y");
    harness.QueueDriver([](HWND d) { Click(d, IDCANCEL); });
    EXPECT_EQ(ShowNameDialog(owner), IDCANCEL);
    DestroyWindow(owner);
}

} // namespace
