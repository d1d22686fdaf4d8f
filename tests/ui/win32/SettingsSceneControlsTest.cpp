// The settings dialog's per-scene controls against scenes written into the
// data file: what each group shows, what its boxes do, and what OK stores.
#include <gtest/gtest.h>

#include "DialogHarness.h"

#include <memory>

#include "config/WeftConfig.h"
#include "ui/DialogIds.h"
#include "ui/win32/SettingsDialog.h"

namespace {

using namespace tessel_test;
using ui::win32::SettingsDialogProc;
using ui::win32::SettingsDialogParams;

class SettingsSceneControlsTest : public ::testing::Test {
protected:
    SettingsSceneControlsTest() : file_(L"tessel_ui_scene_controls_test.dat") {
        config_.data_file_path = file_.path();
        config_.user_data_file_path.clear();  // no per-user place: only this file
    }
    void TearDown() override
    {
        if (dialog_)
            DestroyWindow(dialog_);
    }
    // Opens the dialog on a file whose selected scene is `scene`.
    void OpenOn(const config::SceneData& scene)
    {
        config_.scene_list[6] = scene;
        config_.settings.select = 6;
        ASSERT_TRUE(config_.WriteDataFile());
        params_ = {&config_, false};
        dialog_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTINGS), nullptr,
                                     SettingsDialogProc, reinterpret_cast<LPARAM>(&params_));
        ASSERT_NE(dialog_, nullptr);
    }
    config::SceneData Plain() const
    {
        config::SceneData scene = config_.scene_list[6];
        scene.random_flags = 0;
        scene.time = -1;
        scene.size = {-1, -1};
        scene.init = 0;
        scene.tilling = 0;
        scene.h_min = 0;
        scene.proc = 0;
        return scene;
    }
    config::SceneData SavedScene()
    {
        config::WeftConfig saved;
        saved.data_file_path = file_.path();
        saved.user_data_file_path.clear();
        EXPECT_TRUE(saved.ReadDataFile());
        return saved.scene_list[6];
    }
    LRESULT ComboSelection(int id) { return Send(dialog_, id, CB_GETCURSEL); }

    DialogHarness harness_;
    TempDataFile file_;
    config::WeftConfig config_;
    SettingsDialogParams params_{};
    HWND dialog_ = nullptr;
};

TEST_F(SettingsSceneControlsTest, RandomValuesShowCheckedBoxesAndEmptyValues)
{
    config::SceneData scene = Plain();
    scene.random_flags = config::RANDOM_TIME | config::RANDOM_SIZE | config::RANDOM_INIT | config::RANDOM_TILING | config::RANDOM_HUE;
    scene.init = -1;
    scene.h_min = -1;
    scene.proc = config::PROC_NOISE;
    OpenOn(scene);
    for (int id : {IDC_OWN_TIME, IDC_RANDOM_TIME, IDC_OWN_SIZE, IDC_RANDOM_SIZE, IDC_OWN_INIT, IDC_RANDOM_INIT,
                   IDC_OWN_TILING, IDC_RANDOM_TILING, IDC_OWN_HUE, IDC_RANDOM_HUE, IDC_PROC_NOISE})
        EXPECT_TRUE(Checked(dialog_, id)) << id;
    EXPECT_FALSE(Checked(dialog_, IDC_PROC_BLUR));
    EXPECT_FALSE(Enabled(dialog_, IDC_RANDOM_TIME));
    EXPECT_TRUE(Enabled(dialog_, IDC_RANDOM_SIZE));
    EXPECT_TRUE(Enabled(dialog_, IDC_RANDOM_INIT));
    EXPECT_TRUE(Enabled(dialog_, IDC_RANDOM_HUE));
    for (int id : {IDC_SCENE_TIME, IDC_SCENE_WIDTH, IDC_SCENE_HEIGHT}) {
        EXPECT_EQ(Text(dialog_, id), L"") << id;
        EXPECT_FALSE(Enabled(dialog_, id)) << id;
    }
    EXPECT_FALSE(Enabled(dialog_, IDC_INIT_LIST));
    EXPECT_FALSE(Enabled(dialog_, IDC_TILING_LIST));
    EXPECT_EQ(ComboSelection(IDC_TILING_LIST), CB_ERR);
    EXPECT_FALSE(Enabled(dialog_, IDC_COLORS));
}

TEST_F(SettingsSceneControlsTest, OwnValuesAreShownAndStoredBack)
{
    config::SceneData scene = Plain();
    scene.time = 0;
    scene.size = {200, 300};
    scene.init = 3;
    scene.tilling = 4;
    scene.proc = config::PROC_BLUR | 0x0100;
    OpenOn(scene);
    EXPECT_EQ(Text(dialog_, IDC_SCENE_TIME), L"0");
    EXPECT_TRUE(Enabled(dialog_, IDC_SCENE_TIME));
    EXPECT_EQ(Text(dialog_, IDC_SCENE_WIDTH), L"200");
    EXPECT_EQ(Text(dialog_, IDC_SCENE_HEIGHT), L"300");
    EXPECT_FALSE(Checked(dialog_, IDC_RANDOM_SIZE));
    EXPECT_TRUE(Enabled(dialog_, IDC_RANDOM_SIZE));
    EXPECT_EQ(ComboSelection(IDC_INIT_LIST), 3);
    EXPECT_EQ(ComboSelection(IDC_TILING_LIST), 4);
    EXPECT_TRUE(Enabled(dialog_, IDC_COLORS));
    EXPECT_TRUE(Checked(dialog_, IDC_PROC_BLUR));

    SetText(dialog_, IDC_SCENE_HEIGHT, L"1024");
    ChooseComboEntry(dialog_, IDC_INIT_LIST, 7);
    Click(dialog_, IDC_PROC_BLUR);
    Click(dialog_, IDC_PROC_NOISE);
    Click(dialog_, IDOK);
    EXPECT_EQ(harness_.OnlyMessage(), L"");
    const config::SceneData saved = SavedScene();
    EXPECT_EQ(saved.time, 0);
    EXPECT_EQ(saved.size.width, 200);
    EXPECT_EQ(saved.size.height, 1024);
    EXPECT_EQ(saved.init, 7);
    EXPECT_EQ(saved.tilling, 4);
    EXPECT_EQ(saved.proc, config::PROC_NOISE | 0x0100) << "other proc bits stay";
    EXPECT_EQ(saved.random_flags, 0);
}

TEST_F(SettingsSceneControlsTest, OwnSettingBoxShowsCommonValuesAndRandomBoxStores)
{
    OpenOn(Plain());
    EXPECT_FALSE(Checked(dialog_, IDC_OWN_SIZE));
    EXPECT_FALSE(Enabled(dialog_, IDC_RANDOM_SIZE));
    Click(dialog_, IDC_OWN_SIZE);
    EXPECT_TRUE(Enabled(dialog_, IDC_RANDOM_SIZE));
    EXPECT_EQ(Text(dialog_, IDC_SCENE_WIDTH), L"800") << "the common size stands in";
    EXPECT_EQ(Text(dialog_, IDC_SCENE_HEIGHT), L"600");
    EXPECT_TRUE(Enabled(dialog_, IDC_SCENE_HEIGHT));

    Click(dialog_, IDC_RANDOM_SIZE);
    EXPECT_EQ(Text(dialog_, IDC_SCENE_WIDTH), L"");
    EXPECT_FALSE(Enabled(dialog_, IDC_SCENE_WIDTH));
    Click(dialog_, IDC_RANDOM_SIZE);
    EXPECT_EQ(Text(dialog_, IDC_SCENE_WIDTH), L"800");

    Click(dialog_, IDC_OWN_SIZE);
    EXPECT_FALSE(Enabled(dialog_, IDC_RANDOM_SIZE));
    EXPECT_EQ(Text(dialog_, IDC_SCENE_HEIGHT), L"");
    EXPECT_FALSE(Enabled(dialog_, IDC_SCENE_HEIGHT));
    Click(dialog_, IDC_OWN_SIZE);
    Click(dialog_, IDC_RANDOM_SIZE);
    Click(dialog_, IDOK);
    const config::SceneData saved = SavedScene();
    EXPECT_EQ(saved.random_flags, config::RANDOM_SIZE);
    EXPECT_EQ(saved.size.width, -1);
    EXPECT_EQ(saved.size.height, -1);
}

TEST_F(SettingsSceneControlsTest, PlayListClickSelectsTheSceneAndShowsIt)
{
    // The play list's first entry, given a size of its own to tell it apart.
    std::size_t first = 0;
    while (first < config_.scene_list.size() && config_.scene_list[first].order != 0)
        ++first;
    ASSERT_LT(first, config_.scene_list.size());
    ASSERT_NE(first, 6u);
    config_.scene_list[first].size = {300, 400};
    OpenOn(Plain());
    ChooseListEntry(dialog_, IDC_PLAY_LIST, 0);
    EXPECT_EQ(Send(dialog_, IDC_SCENE_LIST, CB_GETCURSEL), static_cast<LRESULT>(first));
    EXPECT_EQ(Text(dialog_, IDC_SCENE_WIDTH), L"300");
    EXPECT_EQ(Text(dialog_, IDC_SCENE_HEIGHT), L"400");
}

TEST_F(SettingsSceneControlsTest, ListCommandsDropUnstoredText)
{
    OpenOn(Plain());
    SetText(dialog_, IDC_FPS, L"99");
    ASSERT_LT(config_.scene_list[0].order, 0);
    ChooseComboEntry(dialog_, IDC_SCENE_LIST, 0);
    Click(dialog_, IDC_ADD_TO_LIST);
    EXPECT_EQ(Text(dialog_, IDC_FPS), L"30");
}

} // namespace
