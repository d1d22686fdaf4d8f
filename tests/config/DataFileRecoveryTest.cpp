#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "ConfigTestSupport.h"
#include "config/Defaults.h"
#include "platform/Files.h"
#include "config/WeftConfig.h"
#include "core/BuiltinScenes.h"
#include "platform/Utf16.h"

using namespace tessel_test;

namespace {

constexpr config::ModuleVersion kV12{1, 2, 0, 0};
constexpr wchar_t kSep = platform::kPathSeparator;

// A customised installation: fps 15, play time 1, scene 3 renamed.
struct Customised {
    config::CommonSettings settings{};
    std::vector<config::SceneData> list{core::builtin_scenes.begin(), core::builtin_scenes.end()};
    Customised()
    {
        settings.fps = 15;
        settings.drop = config::kDefaultDrop;
        settings.fsize = config::kDefaultFrameSize;
        settings.play = config::kDefaultPlay;
        settings.select = config::kDefaultSelect;
        settings.time = 1;
        platform::WideToUtf16Field(L"mine", list[2].name, config::kSceneNameUnits);
    }
    std::string Bytes() const { return FileBytes(kV12, settings, list[2], list); }
};

class DataFileRecoveryTest : public ConfigFolderTest {
protected:
    void SetUp() override
    {
        ConfigFolderTest::SetUp();
        MakeFolder(L"user");
        config_ = NewModel();
        CaptureLog();
    }
    std::unique_ptr<config::WeftConfig> NewModel() const
    {
        auto config = std::make_unique<config::WeftConfig>();
        config->data_file_path = Path(L"Tessel.dat");
        config->user_data_file_path = UserFile();
        return config;
    }
    std::wstring UserFile() const { return Path(L"user") + kSep + L"Tessel" + kSep + L"Tessel.dat"; }
    std::string ReadPath(const std::wstring& path) const
    {
        std::ifstream in(platform::StreamPath(path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<std::wstring> DamagedCopies() const
    {
        std::vector<std::wstring> names;
        for (const auto& entry : std::filesystem::directory_iterator(platform::StreamPath(Path(L"")))) {
            const std::u8string utf8 = entry.path().filename().u8string();
            const std::wstring name =
                platform::WideFromUtf8(std::string(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
            if (name.starts_with(L"Tessel.damaged-") && name.ends_with(L".dat"))
                names.push_back(name);
        }
        return names;
    }
    bool LoggedStartingWith(const std::wstring& start)
    {
        const auto lines = LogLines();
        return std::any_of(lines.begin(), lines.end(), [&](const std::wstring& l) { return l.starts_with(start); });
    }

    std::unique_ptr<config::WeftConfig> config_;
};

} // namespace

TEST_F(DataFileRecoveryTest, DamagedHeaderIsKeptBeforeTheFirstWrite)
{
    std::string damaged = Customised().Bytes();
    damaged[2] ^= 0x20;  // one flipped bit in the id
    Put(L"Tessel.dat", damaged);

    EXPECT_FALSE(config_->ReadDataFile());
    EXPECT_EQ(config_->unread_file.failure, config::ReadFailure::bad_id);
    EXPECT_EQ(Read(L"Tessel.dat"), damaged) << "reading changes nothing";
    EXPECT_TRUE(DamagedCopies().empty()) << "nothing is copied until something would overwrite it";

    ASSERT_TRUE(config_->WriteDataFile());
    const auto copies = DamagedCopies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(Read(copies[0]), damaged);
    EXPECT_EQ(Read(L"Tessel.dat").size(), 4032u);
    EXPECT_TRUE(Logged(L"damaged data file kept : " + Path(L"Tessel.dat") + L" -> " + Path(copies[0])));
    EXPECT_TRUE(config_->unread_file.path.empty());

    // Damaged again: a second copy, the first one untouched.
    const std::string again = Customised().Bytes().substr(0, 150);
    Put(L"Tessel.dat", again);
    EXPECT_FALSE(config_->ReadDataFile());
    EXPECT_EQ(config_->unread_file.failure, config::ReadFailure::too_short);
    ASSERT_TRUE(config_->WriteDataFile());
    const auto both = DamagedCopies();
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(Read(copies[0]), damaged);
    const std::wstring second = both[0] == copies[0] ? both[1] : both[0];
    EXPECT_EQ(Read(second), again);
}

TEST_F(DataFileRecoveryTest, TruncatedListGetsTheBuiltinScenesBackAndKeepsWhatWasRead)
{
    const Customised custom;
    const std::string whole = custom.Bytes();
    const std::string cut = whole.substr(0, 1000);  // the head and 8 of 40 records
    Put(L"Tessel.dat", cut);

    EXPECT_FALSE(config_->ReadDataFile());
    EXPECT_EQ(config_->unread_file.failure, config::ReadFailure::too_short);
    ASSERT_EQ(config_->scene_list.size(), 40u);
    EXPECT_EQ(config_->settings.fps, 15u);
    EXPECT_TRUE(Logged(L"scene_list lacks 32 built-in scenes : merged"));
    EXPECT_TRUE(Logged(L"+ No.9 \"095-115-001-3\""));
    EXPECT_EQ(config_->scenario.size(), 12u);

    ASSERT_TRUE(config_->WriteDataFile());
    const std::string written = Read(L"Tessel.dat");
    ASSERT_EQ(written.size(), 4032u);
    // The header's settings and the eight records read keep every byte.
    EXPECT_EQ(written.substr(24, 68), whole.substr(24, 68));
    EXPECT_EQ(written.substr(192, 8 * 96), whole.substr(192, 8 * 96));
    const auto copies = DamagedCopies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(Read(copies[0]), cut);

    // The next read is whole again and loses nothing.
    auto next = NewModel();
    EXPECT_TRUE(next->ReadDataFile());
    EXPECT_EQ(next->scene_list.size(), 40u);
    EXPECT_EQ(NameOf(next->scene_list[2]), L"mine");
}

TEST_F(DataFileRecoveryTest, UnwritableProgramFolderSavesPerUserAndTheNextReadTakesIt)
{
    const std::string original = Customised().Bytes();
    Put(L"Tessel.dat", original);
    MakeFolder(L"Tessel.new");  // the temporary file cannot be made beside the program

    ASSERT_TRUE(config_->ReadDataFile());
    config_->settings.fps = 60;
    ASSERT_TRUE(config_->WriteDataFile());
    EXPECT_EQ(Read(L"Tessel.dat"), original);
    EXPECT_EQ(ReadPath(UserFile()).size(), 4032u);
    EXPECT_TRUE(Logged(L"data file saved per user : " + UserFile()));
    EXPECT_TRUE(config_->write_failures.empty());

    auto next = NewModel();
    CaptureLog();
    ASSERT_TRUE(next->ReadDataFile());
    EXPECT_EQ(next->settings.fps, 60u);
    EXPECT_EQ(NameOf(next->scene_list[2]), L"mine");
    EXPECT_TRUE(LoggedStartingWith(L"data file used : " + UserFile() + L" (per-user file"));

    // From now on the per-user file is the one written, even where the
    // program's folder could take it.
    std::filesystem::remove(platform::StreamPath(Path(L"Tessel.new")));
    next->settings.fps = 61;
    ASSERT_TRUE(next->WriteDataFile());
    EXPECT_EQ(Read(L"Tessel.dat"), original);
    auto third = NewModel();
    ASSERT_TRUE(third->ReadDataFile());
    EXPECT_EQ(third->settings.fps, 61u);
}

TEST_F(DataFileRecoveryTest, FolderNamedLikeTheDataFileSendsTheSettingsPerUser)
{
    MakeFolder(L"Tessel.dat");
    EXPECT_FALSE(config_->ReadDataFile());
    EXPECT_EQ(config_->unread_file.failure, config::ReadFailure::not_a_file);
    EXPECT_EQ(config_->scene_list.size(), 40u);
    ASSERT_TRUE(config_->WriteDataFile());
    EXPECT_EQ(platform::KindOfPath(Path(L"Tessel.dat")), platform::PathKind::folder);
    EXPECT_EQ(ReadPath(UserFile()).size(), 4032u);
    // Said to be a folder, never a damaged file.
    EXPECT_TRUE(Logged(L"data file place is taken by a folder, left as it is : " + Path(L"Tessel.dat")));
    EXPECT_FALSE(LoggedStartingWith(L"damaged data file"));
}

TEST_F(DataFileRecoveryTest, NothingSavedNamesEveryPlaceAndItsError)
{
    MakeFolder(L"Tessel.new");
    config_->user_data_file_path = Path(L"missing") + kSep + L"Tessel" + kSep + L"Tessel.dat";
    EXPECT_FALSE(config_->WriteDataFile());
    ASSERT_EQ(config_->write_failures.size(), 2u);
    EXPECT_EQ(config_->write_failures[0].path, Path(L"Tessel.dat"));
    EXPECT_EQ(config_->write_failures[1].path, config_->user_data_file_path);
    EXPECT_NE(config_->write_failures[0].error, 0u);
    EXPECT_NE(config_->write_failures[1].error, 0u);
    EXPECT_FALSE(Exists(L"Tessel.dat"));
}

TEST_F(DataFileRecoveryTest, LongPathsAreReadAndWrittenWhereTheyPoint)
{
    // Five levels of 60 units: the data file lies far past 260 units.
    std::wstring folder = Path(L"");
    std::uint32_t error = 0;
    for (int level = 0; level < 5; ++level) {
        folder += std::wstring(60, static_cast<wchar_t>(L'a' + level));
        ASSERT_TRUE(platform::MakeFolder(folder, error)) << error;
        folder += kSep;
    }
    config_->data_file_path = folder + L"Tessel.dat";
    ASSERT_GT(config_->data_file_path.size(), 300u);
    config_->settings.fps = 42;
    ASSERT_TRUE(config_->WriteDataFile());
    EXPECT_EQ(platform::KindOfPath(config_->data_file_path), platform::PathKind::file);
    EXPECT_EQ(platform::KindOfPath(UserFile()), platform::PathKind::none);

    auto next = NewModel();
    next->data_file_path = config_->data_file_path;
    ASSERT_TRUE(next->ReadDataFile());
    EXPECT_EQ(next->settings.fps, 42u);
}
