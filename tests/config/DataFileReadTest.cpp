#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "ConfigTestSupport.h"
#include "config/WeftConfig.h"
#include "core/BuiltinScenes.h"

using namespace tessel_test;

namespace {

constexpr config::ModuleVersion kV12{1, 2, 0, 0};
constexpr config::ModuleVersion kV11{1, 1, 3, 4};

config::CommonSettings FileSettings()
{
    config::CommonSettings s{};
    s.fps = 20;
    s.drop = 1;
    s.time = 5;
    s.fsize = {640, 480};
    s.play = config::PLAY_LIST_ORDER;
    s.select = 1;
    s.reserved[39] = 0x77;
    return s;
}

std::vector<config::SceneData> Builtins()
{
    return {core::builtin_scenes.begin(), core::builtin_scenes.end()};
}

std::vector<std::int16_t> Numbers(const std::vector<config::SceneData>& list)
{
    std::vector<std::int16_t> numbers;
    for (const config::SceneData& s : list)
        numbers.push_back(s.no);
    return numbers;
}

bool SameBytes(const auto& a, const auto& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class DataFileReadTest : public ConfigFolderTest {
protected:
    void SetUp() override
    {
        ConfigFolderTest::SetUp();
        config_ = std::make_unique<config::WeftConfig>();
        config_->data_file_path = Path(L"Tessel.dat");
        config_->user_data_file_path.clear();  // no per-user place: only this file
        CaptureLog();
    }

    bool ReadBytes(const std::string& bytes)
    {
        Put(L"Tessel.dat", bytes);
        return config_->ReadDataFile();
    }

    // The scenario refers only to scenes of the list, in order.
    void ExpectScenarioWithinList()
    {
        const config::SceneData* first = config_->scene_list.data();
        for (const config::SceneData* s : config_->scenario)
            EXPECT_TRUE(s >= first && s < first + config_->scene_list.size());
        EXPECT_TRUE(std::is_sorted(config_->scenario.begin(), config_->scenario.end(),
                                   [](const config::SceneData* a, const config::SceneData* b) { return a->order < b->order; }));
    }

    std::unique_ptr<config::WeftConfig> config_;
};

} // namespace

TEST_F(DataFileReadTest, MissingFileLeavesTheDefaults)
{
    EXPECT_TRUE(config_->ReadDataFile());
    EXPECT_EQ(config_->scene_list.size(), 40u);
    EXPECT_EQ(config_->settings.fps, 30u);
    EXPECT_EQ(LogLines(), (std::vector<std::wstring>{L"****** データファイル読み込み",
                                                     L"data file used : none (no data file yet : defaults)"}));

    config_->data_file_path.clear();
    EXPECT_TRUE(config_->ReadDataFile());
}

TEST_F(DataFileReadTest, LogsWhatItReads)
{
    const config::SceneData current = TestScene(2, 0);
    ASSERT_TRUE(ReadBytes(FileBytes(kV12, FileSettings(), current, {TestScene(1, -1), TestScene(2, 0)})));
    const std::vector<std::wstring> read{
                              L"****** データファイル読み込み",
                              L"data file used : " + Path(L"Tessel.dat") + L" (beside the program)",
                              L"File Name : " + Path(L"Tessel.dat"),
                              L"Version : 1.2.0.0",
                              L"  fps : 20  drop : 1  time : 5",
                              L"  fsize : 640,480  play : 2  select : 1",
                              L"scene data count : 3",
                              L"current_scene : No.2 \"S2\"",
                              L"scene_list :",
                              L"+ No.1 \"S1\"",
                              L"+ No.2 \"S2\"",
    };
    // The built-in scenes that the list lacks follow, as a merge adds them.
    const auto lines = LogLines();
    ASSERT_GT(lines.size(), read.size() + 2);
    EXPECT_EQ(std::vector<std::wstring>(lines.begin(), lines.begin() + read.size()), read);
    EXPECT_EQ(lines[read.size()], L"scene_list lacks 38 built-in scenes : merged");
    EXPECT_EQ(lines[read.size() + 1], L"+ No.3 \"087-122-001-1\"");
    EXPECT_TRUE(SameBytes(config_->settings, FileSettings()));
    EXPECT_TRUE(SameBytes(config_->current_scene, current));
    EXPECT_EQ(Numbers(config_->scene_list), Numbers(Builtins()));
    EXPECT_TRUE(SameBytes(config_->scene_list[1], TestScene(2, 0)));
    ASSERT_FALSE(config_->scenario.empty());
    EXPECT_EQ(config_->scenario[0], &config_->scene_list[1]);
}

TEST_F(DataFileReadTest, CurrentVersionWithoutScenesGetsTheBuiltinScenesBack)
{
    ASSERT_TRUE(ReadBytes(FileBytes(kV12, FileSettings(), TestScene(3), {})));
    EXPECT_EQ(Numbers(config_->scene_list), Numbers(Builtins()));
    EXPECT_FALSE(config_->scenario.empty());
    EXPECT_EQ(config_->settings.select, 1);
    EXPECT_FALSE(Logged(L"new scene merge"));
    EXPECT_TRUE(Logged(L"+ No.40 \"090-107-009-2\""));
}

TEST_F(DataFileReadTest, OlderVersionWithoutScenesGetsEveryBuiltinScene)
{
    ASSERT_TRUE(ReadBytes(FileBytes(kV11, FileSettings(), TestScene(3), {})));
    EXPECT_EQ(Numbers(config_->scene_list), Numbers(Builtins()));
    const auto lines = LogLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"new scene merge"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"+ No.40 \"090-107-009-2\""), lines.end());
    // No scenario in the file: order 0 stays, the others follow in table order.
    EXPECT_EQ(config_->scene_list[3].order, 0);   // No. 4
    EXPECT_EQ(config_->scene_list[4].order, 0);   // No. 5, order 1 in the table
    EXPECT_EQ(config_->scene_list[35].order, 10); // No. 36
    EXPECT_EQ(config_->scene_list[0].order, -1);
    ExpectScenarioWithinList();
}

TEST_F(DataFileReadTest, MissingBuiltinScenesAreInsertedInNumberOrder)
{
    auto list = Builtins();
    std::erase_if(list, [](const config::SceneData& s) { return s.no == 5 || s.no == 9; });
    for (config::SceneData& s : list)
        s.order = -1;
    list[0].order = 7;  // the file's highest order
    auto settings = FileSettings();
    settings.select = 10;
    ASSERT_TRUE(ReadBytes(FileBytes(kV11, settings, list[2], list)));

    EXPECT_EQ(Numbers(config_->scene_list), Numbers(Builtins()));
    EXPECT_EQ(config_->scene_list[4].order, 8);   // No. 5, order 1 in the table
    EXPECT_EQ(config_->scene_list[8].order, -1);  // No. 9 stays out of the scenario
    EXPECT_EQ(config_->settings.select, 10);      // not moved along with the scenes
    const auto lines = LogLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"< No.5 \"090-094-001-2\""), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"< No.9 \"095-115-001-3\""), lines.end());
    ExpectScenarioWithinList();
}

TEST_F(DataFileReadTest, MergedScenarioScenesFollowTheHighestOrder)
{
    auto list = Builtins();
    std::erase_if(list, [](const config::SceneData& s) { return s.no == 5 || s.no == 6; });
    for (config::SceneData& s : list)
        s.order = -1;
    list[10].order = 7;
    list[11].order = 3;
    ASSERT_TRUE(ReadBytes(FileBytes(kV11, FileSettings(), list[2], list)));
    EXPECT_EQ(config_->scene_list[4].order, 8);  // No. 5
    EXPECT_EQ(config_->scene_list[5].order, 9);  // No. 6
    std::vector<std::int16_t> played;
    for (const config::SceneData* s : config_->scenario)
        played.push_back(s->no);
    EXPECT_EQ(played, (std::vector<std::int16_t>{14, 13, 5, 6}));
}

TEST_F(DataFileReadTest, ListEndingEarlyGetsTheRestAppended)
{
    auto list = Builtins();
    list.resize(30);
    list.push_back(TestScene(1000, -1));  // a scene of the user's own stays last
    ASSERT_TRUE(ReadBytes(FileBytes(kV11, FileSettings(), list[0], list)));
    ASSERT_EQ(config_->scene_list.size(), 41u);
    EXPECT_EQ(config_->scene_list[30].no, 31);
    EXPECT_EQ(config_->scene_list[39].no, 40);
    EXPECT_EQ(config_->scene_list[40].no, 1000);
    const auto lines = LogLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"< No.31 \"094-106-001-2\""), lines.end());

    // Past the user's last scene the built-in ones are appended.
    list.pop_back();
    config_->SetDefaults();
    CaptureLog();
    ASSERT_TRUE(ReadBytes(FileBytes(kV11, FileSettings(), list[0], list)));
    EXPECT_EQ(Numbers(config_->scene_list), Numbers(Builtins()));
    EXPECT_TRUE(Logged(L"+ No.31 \"094-106-001-2\""));
}

TEST_F(DataFileReadTest, ScenesKnownToBothKeepTheFileVersion)
{
    auto list = Builtins();
    list.erase(list.begin() + 20);
    platform::WideToUtf16Field(L"mine", list[0].name, config::kSceneNameUnits);
    ASSERT_TRUE(ReadBytes(FileBytes(kV11, FileSettings(), list[0], list)));
    EXPECT_EQ(NameOf(config_->scene_list[0]), L"mine");
    EXPECT_EQ(config_->scene_list.size(), 40u);
}

TEST_F(DataFileReadTest, Version10SaturationsAreRescaled)
{
    std::vector<config::SceneData> list{TestScene(1), TestScene(2)};
    list[1].s_min2 = 1000;
    list[1].s_max2 = 500;
    list[0].s_min2 = -1;  // a 32-bit product taken unsigned
    auto settings = FileSettings();
    settings.select = 1;
    ASSERT_TRUE(ReadBytes(FileBytes({1, 0, 0, 0}, settings, TestScene(9), list)));
    EXPECT_TRUE(Logged(L"data-file version update <1.0 ->"));
    EXPECT_EQ(config_->scene_list[1].s_min2, 255);
    EXPECT_EQ(config_->scene_list[1].s_max2, 127);
    EXPECT_EQ(config_->scene_list[0].s_min2, 4294967);
    // The current scene is taken from the list.
    EXPECT_EQ(config_->current_scene.no, 2);
    EXPECT_EQ(config_->current_scene.s_min2, 255);
}

TEST_F(DataFileReadTest, Version00IsConvertedToo)
{
    std::vector<config::SceneData> list{TestScene(1)};
    list[0].s_max2 = 1000;
    auto settings = FileSettings();
    settings.select = 0;
    ASSERT_TRUE(ReadBytes(FileBytes({0, 0, 0, 0}, settings, TestScene(9), list)));
    EXPECT_EQ(config_->scene_list[0].s_max2, 255);
}

TEST_F(DataFileReadTest, Version10WithABadSelectTakesTheFirstScene)
{
    std::vector<config::SceneData> list{TestScene(1), TestScene(2)};
    auto settings = FileSettings();
    settings.select = 5;
    ASSERT_TRUE(ReadBytes(FileBytes({1, 0, 0, 0}, settings, TestScene(9), list)));
    EXPECT_EQ(config_->settings.select, 0);
    EXPECT_EQ(config_->current_scene.no, 1);
    EXPECT_TRUE(Logged(L"  select 5 out of range : set to 0"));

    // Without any scene the file's current scene stays, rescaled.
    config::SceneData current = TestScene(9);
    current.s_min2 = 1000;
    ASSERT_TRUE(ReadBytes(FileBytes({1, 0, 0, 0}, settings, current, {})));
    EXPECT_EQ(config_->current_scene.no, 9);
    EXPECT_EQ(config_->current_scene.s_min2, 255);
}

TEST_F(DataFileReadTest, SameOrNewerVersionsAreTakenAsTheyAre)
{
    for (const config::ModuleVersion version : {config::ModuleVersion{1, 2, 9, 9}, config::ModuleVersion{2, 0, 0, 0}}) {
        std::vector<config::SceneData> list{TestScene(3), TestScene(50)};
        list[0].s_min2 = 1000;
        CaptureLog();
        ASSERT_TRUE(ReadBytes(FileBytes(version, FileSettings(), TestScene(3), list)));
        EXPECT_FALSE(Logged(L"new scene merge"));
        EXPECT_FALSE(Logged(L"data-file version update <1.0 ->"));
        // Only the built-in numbers that the list lacks are added.
        auto expected = Numbers(Builtins());
        expected.push_back(50);
        EXPECT_EQ(Numbers(config_->scene_list), expected);
        EXPECT_TRUE(SameBytes(config_->scene_list[2], list[0]));
        EXPECT_TRUE(SameBytes(config_->scene_list[40], list[1]));
    }
}

TEST_F(DataFileReadTest, HeaderOnlyFileFailsAfterTakingTheSettings)
{
    EXPECT_FALSE(ReadBytes(HeaderBytes(kV12, FileSettings())));
    EXPECT_TRUE(SameBytes(config_->settings, FileSettings()));
    EXPECT_EQ(config_->scene_list.size(), 40u);
    EXPECT_EQ(config_->current_scene.no, 7);
    EXPECT_EQ(LogLines().back(), L"data-file format error");
}

TEST_F(DataFileReadTest, ShortHeaderChangesNothing)
{
    EXPECT_FALSE(ReadBytes(HeaderBytes(kV12, FileSettings()).substr(0, 91)));
    EXPECT_EQ(config_->settings.fps, 30u);
    EXPECT_EQ(LogLines().back(), L"data-file format error");
}

TEST_F(DataFileReadTest, WrongIdChangesNothing)
{
    std::string bytes = FileBytes(kV12, FileSettings(), TestScene(1), {});
    bytes[9] = 1;  // "Tessel" holds, a byte after it does not
    EXPECT_FALSE(ReadBytes(bytes));
    EXPECT_EQ(config_->settings.fps, 30u);
    EXPECT_EQ(LogLines().back(), L"data-file id error");
}

TEST_F(DataFileReadTest, BrokenRecordKeepsWhatWasReadWithAScenarioOverIt)
{
    std::vector<config::SceneData> list{TestScene(1, 1), TestScene(2, 0), TestScene(3, 2)};
    const std::string bytes = FileBytes(kV12, FileSettings(), TestScene(2), list);
    EXPECT_FALSE(ReadBytes(bytes.substr(0, bytes.size() - 40)));
    EXPECT_TRUE(SameBytes(config_->settings, FileSettings()));
    EXPECT_EQ(config_->current_scene.no, 2);
    // What was read keeps its bytes; the lost scene 3 comes back built in.
    EXPECT_EQ(Numbers(config_->scene_list), Numbers(Builtins()));
    EXPECT_TRUE(SameBytes(config_->scene_list[0], list[0]));
    EXPECT_TRUE(SameBytes(config_->scene_list[1], list[1]));
    EXPECT_TRUE(SameBytes(config_->scene_list[2], core::builtin_scenes[2]));
    ASSERT_GE(config_->scenario.size(), 2u);
    EXPECT_EQ(config_->scenario[0], &config_->scene_list[1]);
    EXPECT_EQ(config_->scenario[1], &config_->scene_list[3]);  // No. 4, order 0 built in
    ExpectScenarioWithinList();
    EXPECT_TRUE(Logged(L"data-file format error"));
}

TEST_F(DataFileReadTest, CountBeyondTheFileReadsWhatIsThereAndFails)
{
    for (const std::int32_t count : {0, -5, 1000, 0x7FFFFFFF}) {
        std::string bytes = FileBytes(kV12, FileSettings(), TestScene(1), {TestScene(1), TestScene(2)});
        std::memcpy(bytes.data() + 92, &count, sizeof count);
        CaptureLog();
        EXPECT_FALSE(ReadBytes(bytes)) << count;
        EXPECT_EQ(Numbers(config_->scene_list), Numbers(Builtins())) << count;
        EXPECT_EQ(NameOf(config_->scene_list[1]), L"S2") << count;
        const auto lines = LogLines();
        EXPECT_NE(std::find(lines.begin(), lines.end(), L"data-file format error"), lines.end());
        if (count < 1) {
            EXPECT_NE(std::find(lines.begin(), lines.end(),
                                L"scene data count " + std::to_wstring(count) +
                                    L" is below 1 (the current scene alone counts 1) : reading the 2 records the "
                                    L"file holds"),
                      lines.end());
        }
    }
    EXPECT_TRUE(Logged(L"scene data count 2147483647 exceeds the 2 records the file holds"));
}

TEST_F(DataFileReadTest, BytesPastTheCountAreIgnored)
{
    std::string bytes = FileBytes(kV12, FileSettings(), TestScene(1), {TestScene(1), TestScene(2)});
    const std::int32_t count = 2;
    std::memcpy(bytes.data() + 92, &count, sizeof count);
    EXPECT_TRUE(ReadBytes(bytes + "trailing"));
    EXPECT_EQ(NameOf(config_->scene_list[0]), L"S1");
    EXPECT_TRUE(SameBytes(config_->scene_list[1], core::builtin_scenes[1]));  // not the record past the count
}

TEST_F(DataFileReadTest, DamagedSettingsFallBackToSafeValues)
{
    config::CommonSettings s = FileSettings();
    s.fps = 0;
    s.drop = 300;
    s.time = -7;
    s.play = 5;
    s.select = 40;  // the list has two scenes, 40 once the built-in ones are back
    ASSERT_TRUE(ReadBytes(FileBytes(kV12, s, TestScene(1), {TestScene(1), TestScene(2)})));
    EXPECT_EQ(config_->settings.fps, 30u);
    EXPECT_EQ(config_->settings.drop, 0);
    EXPECT_EQ(config_->settings.time, 3);
    EXPECT_EQ(config_->settings.play, config::PLAY_LIST_SHUFFLE);
    EXPECT_EQ(config_->settings.select, 0);
    EXPECT_EQ(config_->settings.reserved[39], 0x77);
    const auto lines = LogLines();
    for (const wchar_t* line : {L"  fps 0 out of range : set to 30", L"  drop 300 out of range : set to 0",
                                L"  time -7 out of range : set to 3", L"  play 5 out of range : set to 3",
                                L"  select 40 out of range : set to 0"})
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;

    s = FileSettings();
    s.fps = 121;
    s.time = 1441;
    s.play = -1;
    s.select = -3;
    ASSERT_TRUE(ReadBytes(FileBytes(kV12, s, TestScene(1), {TestScene(1)})));
    EXPECT_EQ(config_->settings.fps, 30u);
    EXPECT_EQ(config_->settings.time, 3);
    EXPECT_EQ(config_->settings.play, config::PLAY_LIST_SHUFFLE);
    EXPECT_EQ(config_->settings.select, 0);
}

TEST_F(DataFileReadTest, ValidEdgeSettingsAreKept)
{
    config::CommonSettings s = FileSettings();
    s.fps = 120;
    s.drop = 9;
    s.time = 0;
    s.play = config::PLAY_LIST_ONE;
    s.select = 1;
    ASSERT_TRUE(ReadBytes(FileBytes(kV12, s, TestScene(1), {TestScene(1), TestScene(2)})));
    EXPECT_TRUE(SameBytes(config_->settings, s));
}

TEST_F(DataFileReadTest, NamesWithoutTerminatorAreEnded)
{
    config::SceneData unterminated = TestScene(4);
    for (auto& unit : unterminated.name)
        unit = u'W';
    ASSERT_TRUE(ReadBytes(FileBytes(kV12, FileSettings(), unterminated, {TestScene(1), unterminated})));
    EXPECT_EQ(config_->current_scene.name[15], 0);
    EXPECT_EQ(config_->scene_list[3].name[15], 0);  // No. 2 and 3 built in before it
    EXPECT_EQ(NameOf(config_->scene_list[3]), std::wstring(15, L'W'));
    EXPECT_EQ(config_->scene_list[0].name[2], 0);  // a sound name is untouched
    EXPECT_TRUE(Logged(L"  name of No.4 has no terminating zero : cut to 15 units"));
}

TEST_F(DataFileReadTest, FolderInPlaceOfTheFileFails)
{
    MakeFolder(L"Tessel.dat");
    EXPECT_FALSE(config_->ReadDataFile());
    EXPECT_EQ(config_->scene_list.size(), 40u);
    EXPECT_EQ(LogLines().back(), L"data-file is a folder, not a file");
    EXPECT_EQ(config_->unread_file.path, Path(L"Tessel.dat"));
    EXPECT_EQ(config_->unread_file.failure, config::ReadFailure::not_a_file);
}
