#include <gtest/gtest.h>

#include "DialogHarness.h"

#include <algorithm>
#include <memory>

#include "config/WeftConfig.h"
#include "ui/DialogIds.h"
#include "ui/win32/DlgCellColor.h"
#include "ui/win32/SettingsDialog.h"
#include "platform/Utf16.h"

#include <commctrl.h>

namespace {

using namespace tessel_test;
using ui::win32::SettingsDialogProc;
using ui::win32::SettingsDialogParams;
using ui::win32::ShowSettingsDialog;

std::wstring NameOf(const config::SceneData& scene)
{
    return platform::WideFromUtf16(scene.name, config::kSceneNameUnits);
}

class SettingsDialogTest : public ::testing::Test {
protected:
    SettingsDialogTest() : file_(L"tessel_ui_settings_test.dat")
    {
        config_.data_file_path = file_.path();
        config_.user_data_file_path.clear();  // no per-user place: only this file
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
        InitCommonControlsEx(&classes);
    }
    void TearDown() override { Close(); }

    void Open()
    {
        params_ = {&config_, false};
        dialog_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTINGS), nullptr,
                                     SettingsDialogProc, reinterpret_cast<LPARAM>(&params_));
        ASSERT_NE(dialog_, nullptr);
        ShowWindow(dialog_, SW_SHOW);
    }
    void Close()
    {
        if (dialog_)
            DestroyWindow(dialog_);
        dialog_ = nullptr;
    }
    // OK with the given frame rate; the message shown, if any.
    std::wstring OkWithFps(const std::wstring& fps)
    {
        SetText(dialog_, IDC_FPS, fps);
        harness_.ClearMessages();
        Click(dialog_, IDOK);
        return harness_.OnlyMessage();
    }
    // What the data file holds now.
    std::unique_ptr<config::WeftConfig> Saved()
    {
        auto saved = std::make_unique<config::WeftConfig>();
        saved->data_file_path = file_.path();
        saved->user_data_file_path.clear();
        EXPECT_TRUE(saved->ReadDataFile());
        return saved;
    }
    int PlayListCount() { return static_cast<int>(Send(dialog_, IDC_PLAY_LIST, LB_GETCOUNT)); }
    int PlayListSelection() { return static_cast<int>(Send(dialog_, IDC_PLAY_LIST, LB_GETCURSEL)); }
    int SceneSelection() { return static_cast<int>(Send(dialog_, IDC_SCENE_LIST, CB_GETCURSEL)); }

    DialogHarness harness_;
    TempDataFile file_;
    config::WeftConfig config_;
    SettingsDialogParams params_{};
    HWND dialog_ = nullptr;
};

TEST_F(SettingsDialogTest, OpensWithDefaultsWhenThereIsNoDataFile)
{
    Open();
    wchar_t title[64] = {};
    GetWindowTextW(dialog_, title, 64);
    EXPECT_STREQ(title, L"Tessel の設定");
    EXPECT_EQ(Text(dialog_, IDC_FPS), L"30");
    EXPECT_EQ(Text(dialog_, IDC_DROP), L"0");
    EXPECT_EQ(Text(dialog_, IDC_TIME), L"3");
    EXPECT_EQ(Text(dialog_, IDC_FSIZE_WIDTH), L"800");
    EXPECT_EQ(Text(dialog_, IDC_FSIZE_HEIGHT), L"600");
    EXPECT_EQ(Send(dialog_, IDC_FPS, EM_GETLIMITTEXT), 3);
    EXPECT_EQ(Send(dialog_, IDC_DROP, EM_GETLIMITTEXT), 1);
    EXPECT_EQ(Send(dialog_, IDC_SCENE_TIME, EM_GETLIMITTEXT), 4);
    EXPECT_TRUE(Checked(dialog_, IDC_PLAY_LIST_SHUFFLE));
    EXPECT_EQ(Text(dialog_, IDC_PLAY_LIST_SHUFFLE), L"リスト 順不同") << "UTF-8 resource text arrives intact";
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog_, IDC_PLAY_RULE_CODE)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog_, IDC_PLAY_LIST_ONE)));
    EXPECT_FALSE(Enabled(dialog_, IDC_OWN_INIT));
    EXPECT_EQ(SceneSelection(), 6);
    EXPECT_EQ(Send(dialog_, IDC_SCENE_LIST, CB_GETCOUNT), 40);
    EXPECT_EQ(Send(dialog_, IDC_INIT_LIST, CB_GETCOUNT), 8);
    EXPECT_EQ(Send(dialog_, IDC_TILING_LIST, CB_GETCOUNT), 5);
    EXPECT_EQ(Send(dialog_, IDC_TILING_LIST, CB_GETITEMDATA, 4), 4);
    EXPECT_EQ(PlayListCount(), static_cast<int>(config_.scenario.size()));
    const config::SceneData& seventh = config_.scene_list[6];
    ASSERT_GE(seventh.order, 0);
    EXPECT_EQ(PlayListSelection(), seventh.order);
    wchar_t expected[64];
    swprintf(expected, 64, L"%3d : %ls", seventh.no, NameOf(seventh).c_str());
    EXPECT_EQ(ListEntryText(dialog_, IDC_PLAY_LIST, seventh.order), expected);
    EXPECT_FALSE(file_.exists()) << "opening writes nothing";
}

TEST_F(SettingsDialogTest, FrameRateChecks)
{
    Open();
    const std::wstring range = L"更新レート には 1～120 を入力してください";
    EXPECT_EQ(OkWithFps(L"-1"), range);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog_, IDC_FPS));
    EXPECT_EQ(harness_.messages().back().caption, L"Tessel の設定");
    EXPECT_EQ(OkWithFps(L"0"), range);
    EXPECT_EQ(OkWithFps(L""), L"更新レート の入力が誤っています");
    EXPECT_FALSE(file_.exists());
    EXPECT_EQ(OkWithFps(L"12abc"), L"");
    EXPECT_EQ(Saved()->settings.fps, 12u);
}

TEST_F(SettingsDialogTest, TextWithoutNumberKeepsTheFrameRate)
{
    Open();
    EXPECT_EQ(OkWithFps(L"abc"), L"");
    EXPECT_EQ(Saved()->settings.fps, 30u);
}

TEST_F(SettingsDialogTest, CommonFieldsAreCheckedInOrder)
{
    Open();
    SetText(dialog_, IDC_DROP, L"-1");
    SetText(dialog_, IDC_TIME, L"1441");
    EXPECT_EQ(OkWithFps(L"60"), L"コマ落とし には 0～9 を入力してください");
    SetText(dialog_, IDC_DROP, L"10");
    EXPECT_EQ(OkWithFps(L"60"), L"コマ落とし には 0～9 を入力してください");
    SetText(dialog_, IDC_DROP, L"2");
    EXPECT_EQ(OkWithFps(L"60"), L"再生時間 には 1～1440 または 0 を入力してください");
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog_, IDC_TIME));
    SetText(dialog_, IDC_TIME, L"0");
    SetText(dialog_, IDC_FSIZE_HEIGHT, L"1025");
    EXPECT_EQ(OkWithFps(L"60"), L"フレームサイズ 縦 には 128～1024 を入力してください");
    SetText(dialog_, IDC_FSIZE_HEIGHT, L"1024");
    Click(dialog_, IDC_PLAY_LIST_ORDER);
    EXPECT_EQ(OkWithFps(L"60"), L"");
    const auto saved = Saved();
    EXPECT_EQ(saved->settings.fps, 60u);
    EXPECT_EQ(saved->settings.drop, 2);
    EXPECT_EQ(saved->settings.time, 0);
    EXPECT_EQ(saved->settings.fsize.height, 1024);
    EXPECT_EQ(saved->settings.play, config::PLAY_LIST_ORDER);
}

TEST_F(SettingsDialogTest, BadSceneInputKeepsThePreviousSceneSelected)
{
    Open();
    ASSERT_LT(config_.scene_list[6].time, 0);
    Click(dialog_, IDC_OWN_TIME);
    EXPECT_TRUE(Enabled(dialog_, IDC_SCENE_TIME));
    EXPECT_EQ(Text(dialog_, IDC_SCENE_TIME), L"3") << "a scene without its own time shows the common one";
    SetText(dialog_, IDC_SCENE_TIME, L"abc");
    ChooseComboEntry(dialog_, IDC_SCENE_LIST, 2);
    EXPECT_EQ(harness_.OnlyMessage(), L"個別設定：再生時間 には 1～1440 または 0 を入力してください");
    EXPECT_EQ(SceneSelection(), 6);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog_, IDC_SCENE_TIME));
    // Fixed, the change goes through and the scene keeps its new time.
    harness_.ClearMessages();
    SetText(dialog_, IDC_SCENE_TIME, L"0");
    ChooseComboEntry(dialog_, IDC_SCENE_LIST, 2);
    EXPECT_EQ(harness_.OnlyMessage(), L"");
    ChooseComboEntry(dialog_, IDC_SCENE_LIST, 6);
    EXPECT_TRUE(Checked(dialog_, IDC_OWN_TIME));
    EXPECT_EQ(Text(dialog_, IDC_SCENE_TIME), L"0");
}

TEST_F(SettingsDialogTest, PlayListEditsKeepOrdersContiguous)
{
    Open();
    const int initial = PlayListCount();
    // The selected scene is already in the list.
    Click(dialog_, IDC_ADD_TO_LIST);
    EXPECT_EQ(harness_.OnlyMessage(), L"[" + NameOf(config_.scene_list[6]) +
                                          L"] は既にリストに在ります。\n同じルールを複数追加する事は出来ません。");
    EXPECT_EQ(PlayListCount(), initial);
    harness_.ClearMessages();

    ASSERT_LT(config_.scene_list[0].order, 0);
    ChooseComboEntry(dialog_, IDC_SCENE_LIST, 0);
    Click(dialog_, IDC_ADD_TO_LIST);
    EXPECT_EQ(PlayListCount(), initial + 1);
    EXPECT_EQ(PlayListSelection(), initial) << "the added scene is selected at the end";

    // Up on the second entry swaps the first two and follows the scene.
    ChooseListEntry(dialog_, IDC_PLAY_LIST, 1);
    const std::wstring first = ListEntryText(dialog_, IDC_PLAY_LIST, 0);
    const std::wstring second = ListEntryText(dialog_, IDC_PLAY_LIST, 1);
    Click(dialog_, IDC_MOVE_UP);
    EXPECT_EQ(ListEntryText(dialog_, IDC_PLAY_LIST, 0), second);
    EXPECT_EQ(ListEntryText(dialog_, IDC_PLAY_LIST, 1), first);
    EXPECT_EQ(PlayListSelection(), 0);
    Click(dialog_, IDC_MOVE_UP);  // first entry: nothing moves
    EXPECT_EQ(ListEntryText(dialog_, IDC_PLAY_LIST, 0), second);
    ChooseListEntry(dialog_, IDC_PLAY_LIST, initial);
    const std::wstring last = ListEntryText(dialog_, IDC_PLAY_LIST, initial);
    Click(dialog_, IDC_MOVE_DOWN);  // last entry: nothing moves
    EXPECT_EQ(ListEntryText(dialog_, IDC_PLAY_LIST, initial), last);

    // Delete asks first; Cancel keeps the entry.
    ChooseListEntry(dialog_, IDC_PLAY_LIST, 1);
    const std::wstring third = ListEntryText(dialog_, IDC_PLAY_LIST, 2);
    harness_.QueueAnswer(IDCANCEL);
    Click(dialog_, IDC_REMOVE_FROM_LIST);
    EXPECT_EQ(PlayListCount(), initial + 1);
    harness_.QueueAnswer(IDOK);
    Click(dialog_, IDC_REMOVE_FROM_LIST);
    EXPECT_EQ(PlayListCount(), initial);
    EXPECT_EQ(ListEntryText(dialog_, IDC_PLAY_LIST, 1), third) << "the entry behind moves up";
    ASSERT_EQ(harness_.messages().size(), 2u);
    EXPECT_EQ(harness_.messages()[0].text.substr(harness_.messages()[0].text.size() - 14), L"] をリストから削除します。");
    EXPECT_EQ(PlayListSelection(), -1) << "the removed scene is no longer in the list";
    harness_.ClearMessages();
    Click(dialog_, IDC_REMOVE_FROM_LIST);
    EXPECT_EQ(harness_.OnlyMessage(), L"削除するルールが選択されていません。");

    EXPECT_EQ(OkWithFps(L"30"), L"");
    std::vector<int> orders;
    for (const config::SceneData& scene : Saved()->scene_list) {
        if (scene.order >= 0)
            orders.push_back(scene.order);
    }
    std::sort(orders.begin(), orders.end());
    ASSERT_EQ(static_cast<int>(orders.size()), initial);
    for (int i = 0; i < initial; ++i)
        EXPECT_EQ(orders[static_cast<std::size_t>(i)], i);
}

TEST_F(SettingsDialogTest, RenameThroughTheNameDialog)
{
    Open();
    const std::wstring old_name = NameOf(config_.scene_list[6]);
    std::wstring seen_title, seen_prompt, seen_text;
    harness_.QueueDriver([&](HWND name) {
        wchar_t title[64] = {};
        GetWindowTextW(name, title, 64);
        seen_title = title;
        seen_prompt = Text(name, IDC_NAME_PROMPT);
        seen_text = Text(name, IDC_NAME_TEXT);
        SetText(name, IDC_NAME_TEXT, L"銀河グライダー");
        Click(name, IDOK);
    });
    Click(dialog_, IDC_RENAME);
    EXPECT_EQ(seen_title, L"名称設定");
    EXPECT_EQ(seen_prompt, L"名称（15文字まで）を入力してください");
    EXPECT_EQ(seen_text, old_name);
    wchar_t entry[128] = {};
    Send(dialog_, IDC_SCENE_LIST, CB_GETLBTEXT, 6, reinterpret_cast<LPARAM>(entry));
    EXPECT_STREQ(entry, L"  7 : 銀河グライダー");
    EXPECT_EQ(ListEntryText(dialog_, IDC_PLAY_LIST, PlayListSelection()), L"  7 : 銀河グライダー");

    harness_.QueueDriver([](HWND name) { Click(name, IDCANCEL); });
    Click(dialog_, IDC_RENAME);
    EXPECT_EQ(OkWithFps(L"30"), L"");
    EXPECT_EQ(NameOf(Saved()->scene_list[6]), L"銀河グライダー");
}

TEST_F(SettingsDialogTest, ColorsComeBackFromTheColorDialog)
{
    Open();
    ASSERT_GE(config_.scene_list[6].h_min, 0);
    const bool had_background = config_.scene_list[6].death_color >= 0;
    harness_.QueueDriver([](HWND colors) {
        SetText(colors, IDC_HUE0_EDIT, L"100");
        SendMessageW(colors, WM_COMMAND, MAKEWPARAM(IDC_HUE0_EDIT, EN_KILLFOCUS),
                     reinterpret_cast<LPARAM>(GetDlgItem(colors, IDC_HUE0_EDIT)));
        Click(colors, IDC_BG_ENABLED);
        EXPECT_EQ(Enabled(colors, IDC_BG_HUE_EDIT), Checked(colors, IDC_BG_ENABLED));
        Click(colors, IDOK);
    });
    Click(dialog_, IDC_COLORS);
    EXPECT_EQ(OkWithFps(L"30"), L"");
    const auto config = Saved();
    const config::SceneData& saved = config->scene_list[6];
    EXPECT_EQ(saved.h_min % 1530, 100);
    EXPECT_NE(saved.death_color >= 0, had_background) << "the background was switched";
}

TEST_F(SettingsDialogTest, ResetThenCancelLeavesTheFileAndResetThenOkWritesDefaults)
{
    Open();
    EXPECT_EQ(OkWithFps(L"45"), L"");
    Close();
    const std::vector<char> written = file_.bytes();
    ASSERT_FALSE(written.empty());

    Open();
    EXPECT_EQ(Text(dialog_, IDC_FPS), L"45");
    harness_.QueueAnswer(IDNO);
    Click(dialog_, IDC_RESET);
    EXPECT_EQ(Text(dialog_, IDC_FPS), L"45");
    harness_.QueueAnswer(IDYES);
    Click(dialog_, IDC_RESET);
    EXPECT_EQ(harness_.messages().back().text,
              L"全ての設定を初期状態に戻します\nこの操作の実行後キャンセルしても元に戻りません\n実行しますか");
    EXPECT_EQ(Text(dialog_, IDC_FPS), L"30");
    Click(dialog_, IDCANCEL);
    EXPECT_EQ(file_.bytes(), written);
    Close();

    Open();
    harness_.QueueAnswer(IDYES);
    Click(dialog_, IDC_RESET);
    EXPECT_EQ(OkWithFps(L"30"), L"");
    EXPECT_EQ(Saved()->settings.fps, 30u);
}

TEST_F(SettingsDialogTest, HiddenPlayModeStaysWhileItsButtonIsChecked)
{
    config_.settings.play = config::PLAY_RULE_CODE;
    ASSERT_TRUE(config_.WriteDataFile());
    Open();
    for (int id : {IDC_PLAY_RULE_SELECT, IDC_PLAY_LIST_ORDER, IDC_PLAY_LIST_SHUFFLE})
        EXPECT_FALSE(Checked(dialog_, id));
    EXPECT_TRUE(Checked(dialog_, IDC_PLAY_RULE_CODE));
    EXPECT_EQ(OkWithFps(L"30"), L"");
    EXPECT_EQ(Saved()->settings.play, config::PLAY_RULE_CODE);
}

TEST_F(SettingsDialogTest, ModalResultIsZeroAfterOkAndOneAfterCancel)
{
    harness_.QueueDriver([](HWND d) { Click(d, IDCANCEL); });
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(ShowSettingsDialog(owner, config_), 1);
    EXPECT_FALSE(file_.exists());
    harness_.QueueDriver([](HWND d) { Click(d, IDOK); });
    EXPECT_EQ(ShowSettingsDialog(owner, config_), 0);
    EXPECT_TRUE(file_.exists());
    DestroyWindow(owner);
}

} // namespace
