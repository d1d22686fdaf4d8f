#include <gtest/gtest.h>

#include "DialogHarness.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "config/WeftConfig.h"
#include "core/BuiltinScenes.h"
#include "ui/DialogIds.h"
#include "ui/win32/SettingsDialog.h"

#include <commctrl.h>

namespace {

using namespace tessel_test;
using ui::win32::ShowSettingsDialog;

// The dialog on data files that cannot be read or written, in a folder of
// the test's own that stands for the program's folder, with a per-user
// place beside it.
class SettingsDialogDataFileTest : public ::testing::Test {
protected:
    SettingsDialogDataFileTest()
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::filesystem::path(temp) / (L"tessel_ui_datafile_" + std::to_wstring(GetTickCount()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_ / L"user");
        config_.data_file_path = (folder_ / L"Tessel.dat").wstring();
        config_.user_data_file_path = (folder_ / L"user" / L"Tessel" / L"Tessel.dat").wstring();
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
        InitCommonControlsEx(&classes);
    }
    ~SettingsDialogDataFileTest() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    void Put(const std::filesystem::path& path, const std::string& bytes)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::string Get(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // A file of the defaults with fps 15.
    std::string CustomisedBytes()
    {
        config::WeftConfig writer;
        writer.data_file_path = (folder_ / L"writer.dat").wstring();
        writer.user_data_file_path.clear();
        writer.settings.fps = 15;
        EXPECT_TRUE(writer.WriteDataFile());
        return Get(folder_ / L"writer.dat");
    }
    // The modal dialog, as the host opens it, driven by `driver`; its result.
    int Run(std::function<void(HWND)> driver)
    {
        harness_.QueueDriver(std::move(driver));
        HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        const int result = static_cast<int>(ShowSettingsDialog(owner, config_));
        DestroyWindow(owner);
        return result;
    }

    DialogHarness harness_;
    std::filesystem::path folder_;
    config::WeftConfig config_;
};

TEST_F(SettingsDialogDataFileTest, DamagedFileIsKeptAndTheUserToldOnce)
{
    std::string damaged = CustomisedBytes();
    damaged[0] = 'X';
    Put(folder_ / L"Tessel.dat", damaged);

    int scenes = 0;
    std::wstring fps;
    EXPECT_EQ(Run([&](HWND d) {
                  scenes = static_cast<int>(Send(d, IDC_SCENE_LIST, CB_GETCOUNT));
                  fps = Text(d, IDC_FPS);
                  Click(d, IDCANCEL);
              }),
              1);
    EXPECT_EQ(scenes, 40);
    EXPECT_EQ(fps, L"30");
    ASSERT_EQ(harness_.messages().size(), 1u);
    const std::wstring text = harness_.messages()[0].text;
    EXPECT_EQ(harness_.messages()[0].caption, L"Tessel の設定");
    EXPECT_TRUE(text.starts_with(L"設定ファイルを読み込めませんでした。\n" + config_.data_file_path +
                                 L"\n理由：Tessel の設定ファイルではありません（識別子が違います）\n\n"
                                 L"元のファイルを次の名前で残しました。\n"))
        << std::string(text.begin(), text.end());
    // The copy named in the message exists, holding the original bytes.
    const std::size_t start = text.find(L"残しました。\n") + 7;
    const std::wstring copy = text.substr(start, text.find(L'\n', start) - start);
    EXPECT_TRUE(copy.starts_with((folder_ / L"Tessel.damaged-").wstring()));
    EXPECT_EQ(Get(copy), damaged);
    EXPECT_EQ(Get(folder_ / L"Tessel.dat"), damaged) << "Cancel writes nothing";
}

TEST_F(SettingsDialogDataFileTest, FolderInTheFilesPlaceIsNamedAsSuchAndTheSettingsGoPerUser)
{
    std::filesystem::create_directories(folder_ / L"Tessel.dat");
    EXPECT_EQ(Run([&](HWND d) { Click(d, IDOK); }), 0);
    ASSERT_EQ(harness_.messages().size(), 1u);
    const std::wstring text = harness_.messages()[0].text;
    EXPECT_EQ(text, L"設定ファイルの場所に同じ名前のフォルダがあるため、設定を読み込めませんでした。\n" +
                        config_.data_file_path +
                        L"\n\nフォルダはそのまま残します。設定は初期設定から始まり、ユーザーごとの保存先に保存されます。")
        << std::string(text.begin(), text.end());
    EXPECT_TRUE(std::filesystem::is_directory(folder_ / L"Tessel.dat"));
    EXPECT_EQ(Get(config_.user_data_file_path).size(), 4032u);
}

TEST_F(SettingsDialogDataFileTest, TruncatedListShowsEveryBuiltinScene)
{
    Put(folder_ / L"Tessel.dat", CustomisedBytes().substr(0, 192));  // a head and no records
    int scenes = 0;
    EXPECT_EQ(Run([&](HWND d) {
                  scenes = static_cast<int>(Send(d, IDC_SCENE_LIST, CB_GETCOUNT));
                  Click(d, IDOK);
              }),
              0);
    EXPECT_EQ(scenes, 40);
    ASSERT_EQ(harness_.messages().size(), 1u);
    EXPECT_NE(harness_.messages()[0].text.find(L"理由：ファイルが途中で切れています"), std::wstring::npos);
    EXPECT_EQ(Get(folder_ / L"Tessel.dat").size(), 4032u);
}

TEST_F(SettingsDialogDataFileTest, SaveThatReachesNoFileIsShownAndTheDialogStaysOpen)
{
    // Beside the program the temporary file cannot be made; the per-user
    // folder's parent does not exist.
    std::filesystem::create_directories(folder_ / L"Tessel.new");
    config_.user_data_file_path = (folder_ / L"missing" / L"Tessel" / L"Tessel.dat").wstring();

    bool open_after_ok = false;
    EXPECT_EQ(Run([&](HWND d) {
                  SetText(d, IDC_FPS, L"45");
                  Click(d, IDOK);
                  open_after_ok = IsWindowVisible(d) != FALSE;
                  Click(d, IDCANCEL);
              }),
              1);
    EXPECT_TRUE(open_after_ok);
    ASSERT_EQ(harness_.messages().size(), 1u);
    const std::wstring text = harness_.messages()[0].text;
    const std::wstring program = config_.data_file_path;
    const std::wstring user = config_.user_data_file_path;
    EXPECT_TRUE(text.starts_with(L"設定を保存できませんでした。\n\n" + program + L"\n")) << std::string(text.begin(), text.end());
    EXPECT_NE(text.find(L"\n\n" + user + L"\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"(SYSTEM) "), std::wstring::npos) << "the system's error text";
    EXPECT_FALSE(std::filesystem::exists(folder_ / L"Tessel.dat"));
}

TEST_F(SettingsDialogDataFileTest, ReadOnlyProgramFolderSavesPerUser)
{
    std::filesystem::create_directories(folder_ / L"Tessel.new");
    EXPECT_EQ(Run([&](HWND d) {
                  SetText(d, IDC_FPS, L"45");
                  Click(d, IDOK);
              }),
              0);
    EXPECT_TRUE(harness_.messages().empty());
    EXPECT_EQ(Get(config_.user_data_file_path).size(), 4032u);
    EXPECT_FALSE(std::filesystem::exists(folder_ / L"Tessel.dat"));

    config::WeftConfig next;
    next.data_file_path = config_.data_file_path;
    next.user_data_file_path = config_.user_data_file_path;
    ASSERT_TRUE(next.ReadDataFile());
    EXPECT_EQ(next.settings.fps, 45u);
}

} // namespace
