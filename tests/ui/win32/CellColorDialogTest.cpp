#include <gtest/gtest.h>

#include "DialogHarness.h"

#include <commctrl.h>
#include "render/CellPalette.h"
#include "ui/DialogIds.h"
#include "ui/win32/DlgCellColor.h"

namespace {

using namespace tessel_test;
using ui::win32::CellColorDialogProc;
using ui::win32::ShowCellColorDialog;

class CellColorDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
        InitCommonControlsEx(&classes);
    }
    void Open(ui::ColorExchange values)
    {
        values_ = values;
        dialog_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_CELL_COLOR), nullptr,
                                     CellColorDialogProc, reinterpret_cast<LPARAM>(&values_));
        ASSERT_NE(dialog_, nullptr);
    }
    void TearDown() override
    {
        if (dialog_)
            DestroyWindow(dialog_);
    }
    // Text typed into a box that then loses the focus.
    void Type(int id, const std::wstring& text)
    {
        SetText(dialog_, id, text);
        SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), reinterpret_cast<LPARAM>(GetDlgItem(dialog_, id)));
    }
    LRESULT BarPosition(int id) { return Send(dialog_, id, TBM_GETPOS); }
    void Scroll(int id, int position, int code)
    {
        Send(dialog_, id, TBM_SETPOS, TRUE, position);
        SendMessageW(dialog_, WM_HSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(GetDlgItem(dialog_, id)));
    }

    ui::ColorExchange values_{};
    HWND dialog_ = nullptr;
};

TEST_F(CellColorDialogTest, HueBeyondOneTurnIsShownReducedAndStoredBack)
{
    Open({1600, 200, 180, 100, 90, 255, -1});
    EXPECT_EQ(Text(dialog_, IDC_HUE0_EDIT), L"70");
    EXPECT_EQ(Text(dialog_, IDC_HUE255_EDIT), L"100");
    EXPECT_EQ(Text(dialog_, IDC_SAT0_EDIT), L"200");
    EXPECT_EQ(Text(dialog_, IDC_VAL255_EDIT), L"255");
    EXPECT_EQ(BarPosition(IDC_HUE0_BAR), 70);
    EXPECT_EQ(Send(dialog_, IDC_HUE0_BAR, TBM_GETRANGEMAX), 1529);
    EXPECT_EQ(Send(dialog_, IDC_HUE0_BAR, TBM_GETPAGESIZE), 255);
    EXPECT_EQ(Send(dialog_, IDC_SAT0_BAR, TBM_GETRANGEMAX), 255);
    EXPECT_EQ(Send(dialog_, IDC_SAT0_BAR, TBM_GETPAGESIZE), 16);
    EXPECT_EQ(Send(dialog_, IDC_HUE0_EDIT, EM_GETLIMITTEXT), 4);
    EXPECT_EQ(Send(dialog_, IDC_VAL0_EDIT, EM_GETLIMITTEXT), 3);
    EXPECT_TRUE(Checked(dialog_, IDC_HUE_REVERSED));
    Click(dialog_, IDOK);
    EXPECT_EQ(values_.h_min, 1600);
    EXPECT_EQ(values_.h_max, 100);
    EXPECT_EQ(values_.s_min2, 200);
    EXPECT_EQ(values_.v_min, 180);
    EXPECT_EQ(values_.s_max2, 90);
    EXPECT_EQ(values_.v_max, 255);
}

TEST_F(CellColorDialogTest, FullCircleBecomesOneHue)
{
    Open({0, 255, 255, 1530, 255, 255, -1});
    EXPECT_EQ(Text(dialog_, IDC_HUE0_EDIT), L"0");
    EXPECT_EQ(Text(dialog_, IDC_HUE255_EDIT), L"0");
    EXPECT_FALSE(Checked(dialog_, IDC_HUE_REVERSED));
    Click(dialog_, IDOK);
    EXPECT_EQ(values_.h_min, 0);
    EXPECT_EQ(values_.h_max, 0);
}

TEST_F(CellColorDialogTest, NoBackgroundUntilSwitchedOnAndValuesComeBack)
{
    Open({0, 255, 255, 510, 255, 255, -1});
    EXPECT_FALSE(Checked(dialog_, IDC_BG_ENABLED));
    for (int id : {IDC_BG_HUE_EDIT, IDC_BG_SAT_EDIT, IDC_BG_VAL_EDIT}) {
        EXPECT_EQ(Text(dialog_, id), L"");
        EXPECT_FALSE(Enabled(dialog_, id));
    }
    for (int id : {IDC_BG_HUE_BAR, IDC_BG_SAT_BAR, IDC_BG_VAL_BAR}) {
        EXPECT_EQ(BarPosition(id), 0);
        EXPECT_FALSE(Enabled(dialog_, id));
    }
    Click(dialog_, IDC_BG_ENABLED);
    EXPECT_TRUE(Enabled(dialog_, IDC_BG_HUE_EDIT));
    Type(IDC_BG_HUE_EDIT, L"1020");
    Type(IDC_BG_VAL_EDIT, L"128");
    Click(dialog_, IDC_BG_ENABLED);
    EXPECT_EQ(Text(dialog_, IDC_BG_HUE_EDIT), L"");
    EXPECT_EQ(BarPosition(IDC_BG_HUE_BAR), 0);
    Click(dialog_, IDC_BG_ENABLED);
    EXPECT_EQ(Text(dialog_, IDC_BG_HUE_EDIT), L"1020");
    EXPECT_EQ(Text(dialog_, IDC_BG_VAL_EDIT), L"128");
    EXPECT_EQ(BarPosition(IDC_BG_HUE_BAR), 1020);
    Click(dialog_, IDOK);
    EXPECT_EQ(values_.death_color, static_cast<std::int32_t>(render::HsvToPixel(1020, 0, 128)));
}

TEST_F(CellColorDialogTest, BackgroundStaysOffThroughOk)
{
    Open({0, 255, 255, 510, 255, 255, -1});
    Click(dialog_, IDOK);
    EXPECT_EQ(values_.death_color, -1);
}

TEST_F(CellColorDialogTest, RedBackgroundIsSplitIntoHueSaturationValue)
{
    Open({0, 255, 255, 510, 255, 255, 0x00FF0000});
    EXPECT_TRUE(Checked(dialog_, IDC_BG_ENABLED));
    EXPECT_EQ(Text(dialog_, IDC_BG_HUE_EDIT), L"0");
    EXPECT_EQ(Text(dialog_, IDC_BG_SAT_EDIT), L"255");
    EXPECT_EQ(Text(dialog_, IDC_BG_VAL_EDIT), L"255");
    EXPECT_EQ(BarPosition(IDC_BG_VAL_BAR), 255);
    Click(dialog_, IDOK);
    EXPECT_EQ(values_.death_color, 0x00FF0000);
}

TEST_F(CellColorDialogTest, TypedValuesAreLimitedWhenTheBoxLosesFocus)
{
    Open({0, 255, 255, 510, 255, 255, -1});
    Type(IDC_HUE0_EDIT, L"2000");
    EXPECT_EQ(Text(dialog_, IDC_HUE0_EDIT), L"1529");
    EXPECT_EQ(BarPosition(IDC_HUE0_BAR), 1529);
    Type(IDC_HUE255_EDIT, L"-5");
    EXPECT_EQ(Text(dialog_, IDC_HUE255_EDIT), L"0");
    Type(IDC_SAT0_EDIT, L"");
    EXPECT_EQ(Text(dialog_, IDC_SAT0_EDIT), L"0");
    Type(IDC_VAL0_EDIT, L"abc");
    EXPECT_EQ(Text(dialog_, IDC_VAL0_EDIT), L"255") << "text without a number keeps the value";
    // Text that changed without losing the focus is not taken.
    SetText(dialog_, IDC_VAL255_EDIT, L"7");
    SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(IDC_VAL255_EDIT, EN_CHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog_, IDC_VAL255_EDIT)));
    EXPECT_EQ(BarPosition(IDC_VAL255_BAR), 255);
    Click(dialog_, IDCANCEL);
    EXPECT_EQ(values_.h_min, 0) << "Cancel leaves the values untouched";
    EXPECT_EQ(values_.h_max, 510);
}

TEST_F(CellColorDialogTest, TrackbarsUpdateOnEveryScrollCode)
{
    Open({0, 255, 255, 510, 255, 255, -1});
    Scroll(IDC_HUE0_BAR, 300, TB_THUMBTRACK);
    EXPECT_EQ(Text(dialog_, IDC_HUE0_EDIT), L"300");
    Scroll(IDC_SAT255_BAR, 40, TB_PAGEDOWN);
    EXPECT_EQ(Text(dialog_, IDC_SAT255_EDIT), L"40");
    Scroll(IDC_VAL0_BAR, 12, TB_ENDTRACK);
    EXPECT_EQ(Text(dialog_, IDC_VAL0_EDIT), L"12");
    Click(dialog_, IDOK);
    EXPECT_EQ(values_.h_min, 300);
    EXPECT_EQ(values_.h_max, 510);
    EXPECT_EQ(values_.s_max2, 40);
    EXPECT_EQ(values_.v_min, 12);
}

TEST_F(CellColorDialogTest, ReversingMakesTheStoredOrderTellTheDirection)
{
    Open({0, 255, 255, 510, 255, 255, -1});
    Click(dialog_, IDC_HUE_REVERSED);
    Click(dialog_, IDOK);
    EXPECT_EQ(values_.h_min, 1530);
    EXPECT_EQ(values_.h_max, 510);
}

TEST_F(CellColorDialogTest, EqualHuesReversedStoreEqualValues)
{
    Open({300, 255, 255, 300, 255, 255, -1});
    Click(dialog_, IDC_HUE_REVERSED);
    Click(dialog_, IDOK);
    EXPECT_EQ(values_.h_min, 300);
    EXPECT_EQ(values_.h_max, 300);
}

TEST_F(CellColorDialogTest, EnterInAnEditBoxAppliesItsText)
{
    Open({0, 255, 255, 510, 255, 255, -1});
    ShowWindow(dialog_, SW_SHOW);
    SetFocus(GetDlgItem(dialog_, IDC_HUE255_EDIT));
    ASSERT_EQ(GetFocus(), GetDlgItem(dialog_, IDC_HUE255_EDIT));
    SetText(dialog_, IDC_HUE255_EDIT, L"765");
    // Enter reaches the default button without the box losing the focus.
    SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(values_.h_max, 765);
}

TEST_F(CellColorDialogTest, PreviewShowsFillAndGradient)
{
    Open({0, 255, 255, 510, 255, 255, 0x000000FF});  // red to green over blue
    ShowWindow(dialog_, SW_SHOW);
    UpdateWindow(dialog_);
    HWND preview = GetDlgItem(dialog_, IDC_PREVIEW);
    RECT client{};
    GetClientRect(preview, &client);
    ASSERT_GT(client.right, 97) << "the template's preview has room for a gradient";
    // Row 22 lies inside the gradient and above the end labels.
    HDC dc = GetDC(preview);
    const COLORREF margin = GetPixel(dc, 5, 22);
    const COLORREF end = GetPixel(dc, client.right - 48 - 1, 22);
    ReleaseDC(preview, dc);
    EXPECT_EQ(margin, RGB(0, 0, 255));
    EXPECT_EQ(end, RGB(0, 255, 0)) << "the last gradient column is the cell-255 colour";
}

TEST(CellColorDialogModal, ResultsAreOneAndTwo)
{
    DialogHarness harness;
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ui::ColorExchange values{10, 20, 30, 40, 50, 60, -1};
    harness.QueueDriver([](HWND d) { Click(d, IDCANCEL); });
    EXPECT_EQ(ShowCellColorDialog(owner, values), IDCANCEL);
    harness.QueueDriver([](HWND d) { Click(d, IDOK); });
    EXPECT_EQ(ShowCellColorDialog(owner, values), IDOK);
    EXPECT_EQ(values.h_max, 40);
    DestroyWindow(owner);
}

} // namespace
