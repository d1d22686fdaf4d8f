#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "ConfigTestSupport.h"
#include "config/DataFileStreams.h"
#include "config/WeftConfig.h"
#include "core/BuiltinScenes.h"

using namespace tessel_test;

namespace {

template <typename T>
T At(const std::string& bytes, std::size_t offset)
{
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

bool IsStreamError(const std::wstring& line, const std::wstring& flags)
{
    return line.starts_with(L"WeftConfig.cpp(") && line.ends_with(L") " + flags);
}

class DataFileWriteTest : public ConfigFolderTest {
protected:
    void SetUp() override
    {
        ConfigFolderTest::SetUp();
        config_ = std::make_unique<config::WeftConfig>();
        config_->data_file_path = Path(L"Tessel.dat");
        config_->user_data_file_path.clear();  // no per-user place: only this file
        CaptureLog();
    }
    std::unique_ptr<config::WeftConfig> config_;
};

} // namespace

TEST_F(DataFileWriteTest, FileOfTheStartUpModelHasTheKnownLayout)
{
    ASSERT_TRUE(config_->WriteDataFile());
    const std::string bytes = Read(L"Tessel.dat");
    ASSERT_EQ(bytes.size(), 4032u);  // 96 + 96 x (40 scenes + 1)

    EXPECT_EQ(bytes.substr(0, 12), std::string("Tessel\0\0\0\0\0\0", 12));
    EXPECT_EQ(At<std::uint32_t>(bytes, 12), 0u);
    EXPECT_EQ(At<std::uint16_t>(bytes, 16), 1);
    EXPECT_EQ(At<std::uint16_t>(bytes, 18), 2);
    EXPECT_EQ(At<std::uint16_t>(bytes, 20), 0);
    EXPECT_EQ(At<std::uint16_t>(bytes, 22), 0);
    EXPECT_EQ(At<std::uint32_t>(bytes, 24), 30u);   // fps
    EXPECT_EQ(At<std::int16_t>(bytes, 28), 0);      // drop
    EXPECT_EQ(At<std::int32_t>(bytes, 32), 3);      // time
    EXPECT_EQ(At<std::int32_t>(bytes, 36), 800);    // fsize
    EXPECT_EQ(At<std::int32_t>(bytes, 40), 600);
    EXPECT_EQ(At<std::int32_t>(bytes, 44), 3);      // play
    EXPECT_EQ(At<std::int32_t>(bytes, 48), 6);      // select
    EXPECT_EQ(bytes.substr(52, 40), std::string(40, '\0'));
    EXPECT_EQ(At<std::int32_t>(bytes, 92), 41);     // count

    // current_scene is No. 7, then the list from No. 1.
    EXPECT_EQ(At<std::int16_t>(bytes, 96), 7);
    EXPECT_EQ(At<std::int16_t>(bytes, 96 + 34), 3);  // its order
    EXPECT_EQ(At<std::int32_t>(bytes, 96 + 84), 0);  // its death_color
    EXPECT_EQ(At<std::uint16_t>(bytes, 96 + 88), 3); // its tilling
    EXPECT_EQ(std::memcmp(bytes.data() + 96, &core::builtin_scenes[6], 96), 0);
    for (std::size_t i = 0; i < core::builtin_scenes.size(); ++i)
        EXPECT_EQ(std::memcmp(bytes.data() + 192 + 96 * i, &core::builtin_scenes[i], 96), 0) << "record " << i;
    EXPECT_EQ(At<std::int16_t>(bytes, 192 + 96 * 39), 40);
    EXPECT_EQ(At<std::uint16_t>(bytes, 192 + 2), u'0');  // name "002-248-001-0"

    EXPECT_FALSE(Exists(L"Tessel.new"));
    EXPECT_EQ(LogLines(), (std::vector<std::wstring>{L"****** データファイル書き出し",
                                                     L"File Name : " + Path(L"Tessel.dat"),
                                                     L"Version : 1.2.0.0"}));
}

TEST_F(DataFileWriteTest, WrittenModelReadsBackIdentically)
{
    config_->settings.reserved[0] = 0x5A;
    config_->settings.padding[1] = 0x11;
    config_->settings.play = config::PLAY_LIST_ORDER;
    config_->scene_list[3].random_flags = 0x8001;  // bits no one acts on
    config_->scene_list[3].order = 20;
    config_->scene_list[0].order = 5;
    config_->scene_list.push_back(TestScene(300, 1));
    config_->SetCurrentScene(config_->scene_list.back());
    ASSERT_TRUE(config_->WriteDataFile());

    config::WeftConfig copy;
    copy.data_file_path = config_->data_file_path;
    copy.user_data_file_path.clear();
    ASSERT_TRUE(copy.ReadDataFile());
    EXPECT_EQ(std::memcmp(&copy.settings, &config_->settings, sizeof copy.settings), 0);
    EXPECT_EQ(std::memcmp(&copy.current_scene, &config_->current_scene, sizeof copy.current_scene), 0);
    ASSERT_EQ(copy.scene_list.size(), config_->scene_list.size());
    EXPECT_EQ(std::memcmp(copy.scene_list.data(), config_->scene_list.data(), 96 * copy.scene_list.size()), 0);
    config::MakeScenario(config_->scene_list, config_->scenario);
    ASSERT_EQ(copy.scenario.size(), config_->scenario.size());
    for (std::size_t i = 0; i < copy.scenario.size(); ++i)
        EXPECT_EQ(copy.scenario[i]->no, config_->scenario[i]->no);
}

TEST_F(DataFileWriteTest, UnreadableVersionIsNotWrittenAsTheOldestFormat)
{
    // A version resource that could not be read leaves 0.0.0.0, which the
    // reader would take for a 1.0 file and rescale its saturations.
    config_->module_version = {};
    config_->scene_list[0].s_min2 = 200;
    config_->scene_list[0].s_max2 = 255;
    ASSERT_TRUE(config_->WriteDataFile());
    const std::string bytes = Read(L"Tessel.dat");
    EXPECT_EQ(At<std::uint16_t>(bytes, 16), 1);
    EXPECT_EQ(At<std::uint16_t>(bytes, 18), 2);
    EXPECT_TRUE(Logged(L"Version : 1.2.0.0"));

    config::WeftConfig copy;
    copy.data_file_path = config_->data_file_path;
    copy.user_data_file_path.clear();
    ASSERT_TRUE(copy.ReadDataFile());
    EXPECT_EQ(copy.scene_list[0].s_min2, 200);
    EXPECT_EQ(copy.scene_list[0].s_max2, 255);
}

TEST_F(DataFileWriteTest, ReplacesAnOlderFileWhole)
{
    Put(L"Tessel.dat", std::string(10000, 'x'));
    ASSERT_TRUE(config_->WriteDataFile());
    EXPECT_EQ(Read(L"Tessel.dat").size(), 4032u);
    EXPECT_FALSE(Exists(L"Tessel.new"));
}

TEST_F(DataFileWriteTest, FailedWriteLeavesTheOldFileAlone)
{
    Put(L"Tessel.dat", "old contents");
    MakeFolder(L"Tessel.new");  // the new file cannot be made
    EXPECT_FALSE(config_->WriteDataFile());
    EXPECT_EQ(Read(L"Tessel.dat"), "old contents");
    const auto lines = LogLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(IsStreamError(lines.back(), L"badbit(0) eofbit(0) failbit(2)")) << lines.back();
}

// The log names the model's source file; the line is the caller's, so that
// it points at a line of that file rather than one of the stream code's.
TEST_F(DataFileWriteTest, StreamErrorsNameTheLineOfTheCall)
{
    MakeFolder(L"Tessel.new");
    std::uint32_t error = 0;
    const int line = __LINE__ + 1;
    EXPECT_FALSE(config::WriteDataFileImage(Path(L"Tessel.new"), *config_, error));
    EXPECT_NE(error, 0u);
    const auto lines = LogLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(lines.back().starts_with(L"WeftConfig.cpp(" + std::to_wstring(line) + L") ")) << lines.back();
}

TEST_F(DataFileWriteTest, FailsWhereNoFileCanBeMade)
{
    config_->data_file_path = Path(L"missing") + L"/Tessel.dat";
    config_->user_data_file_path.clear();
    EXPECT_FALSE(config_->WriteDataFile());
    EXPECT_FALSE(Exists(L"missing"));
    const auto lines = LogLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(IsStreamError(lines.back(), L"badbit(0) eofbit(0) failbit(2)")) << lines.back();

    config_->data_file_path.clear();
    EXPECT_FALSE(config_->WriteDataFile());
}

TEST_F(DataFileWriteTest, FailedReplacementKeepsWhatWasThere)
{
    MakeFolder(L"Tessel.dat");  // nothing can take a folder's place
    EXPECT_FALSE(config_->WriteDataFile());
    EXPECT_FALSE(Exists(L"Tessel.new"));
    // The system's text may end in its own line break.
    const auto lines = LogLines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::wstring& line) {
        return line.find(L"ERROR [WeftConfig.cpp:") != std::wstring::npos;
    }));
}
