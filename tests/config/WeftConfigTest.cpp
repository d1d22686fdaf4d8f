#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "ConfigTestSupport.h"
#include "ScopedLogFolder.h"
#include "config/DataFilePlaces.h"
#include "config/WeftConfig.h"
#include "core/BuiltinScenes.h"
#include "platform/System.h"
#include "platform/Utf16.h"

using namespace tessel_test;

namespace {

bool SameBytes(const config::SceneData& a, const config::SceneData& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::vector<std::int16_t> NumbersOf(const std::vector<config::SceneData*>& scenes)
{
    std::vector<std::int16_t> numbers;
    for (const config::SceneData* s : scenes)
        numbers.push_back(s->no);
    return numbers;
}

class WeftConfigTest : public ConfigFolderTest {};

} // namespace

TEST_F(WeftConfigTest, StartsWithTheDefaults)
{
    config::WeftConfig config;
    EXPECT_EQ(config.settings.fps, 30u);
    EXPECT_EQ(config.settings.drop, 0);
    EXPECT_EQ(config.settings.time, 3);
    EXPECT_EQ(config.settings.fsize.width, 800);
    EXPECT_EQ(config.settings.fsize.height, 600);
    EXPECT_EQ(config.settings.play, config::PLAY_LIST_SHUFFLE);
    EXPECT_EQ(config.settings.select, 6);
    EXPECT_TRUE(std::all_of(std::begin(config.settings.reserved), std::end(config.settings.reserved),
                            [](std::uint8_t b) { return b == 0; }));

    EXPECT_TRUE(SameBytes(config.current_scene, core::builtin_scenes[6]));
    ASSERT_EQ(config.scene_list.size(), core::builtin_scenes.size());
    for (std::size_t i = 0; i < core::builtin_scenes.size(); ++i)
        EXPECT_TRUE(SameBytes(config.scene_list[i], core::builtin_scenes[i])) << "index " << i;

    EXPECT_EQ(NumbersOf(config.scenario), (std::vector<std::int16_t>{4, 5, 6, 7, 8, 13, 14, 17, 24, 28, 33, 36}));
    for (std::size_t i = 0; i < config.scenario.size(); ++i) {
        EXPECT_EQ(config.scenario[i]->order, static_cast<std::int16_t>(i));
        EXPECT_TRUE(config.scenario[i] >= config.scene_list.data() &&
                    config.scenario[i] < config.scene_list.data() + config.scene_list.size());
    }
}

TEST_F(WeftConfigTest, KnowsItsVersionAndTheDataFileBesideTheProgram)
{
    config::WeftConfig config;
    EXPECT_EQ(config.module_version, (config::ModuleVersion{1, 2, 0, 0}));

    std::wstring module_path;
    std::uint32_t error = 0;
    ASSERT_TRUE(platform::ModuleFilePath(module_path, error));
    const std::wstring folder = module_path.substr(0, module_path.rfind(platform::kPathSeparator) + 1);
    EXPECT_EQ(config.data_file_path, folder + L"Tessel.dat");
}

TEST_F(WeftConfigTest, LogsItsStartInTheUsersLogFolder)
{
    {
        ScopedLogFolder temp(Path(L""));
        config::WeftConfig config;
        std::wstring module_path;
        std::uint32_t error = 0;
        ASSERT_TRUE(platform::ModuleFilePath(module_path, error));

        const auto lines = LogLinesOf(std::wstring(ScopedLogFolder::kLogSubfolder) + L"Tessel_%%%%%%_");
        ASSERT_GE(lines.size(), 5u);
        EXPECT_EQ(lines[0], L"Module file name : " + module_path);
        EXPECT_EQ(lines[1], L"Module file version : 1.2.0.0");
        EXPECT_EQ(lines[2], L"data file name : " + config.data_file_path);
        EXPECT_EQ(lines[3], L"per-user data file name : " + config.user_data_file_path);
        EXPECT_EQ(lines[4], L"****** make scenario");
        EXPECT_EQ(lines.back(), L"+ no.36 \"095-122-001-4\"");
    }
}

TEST_F(WeftConfigTest, ScenarioIsSortedByOrderAndKeepsListOrderForTies)
{
    config::WeftConfig config;
    std::vector<config::SceneData> list{TestScene(1, 2), TestScene(2, -1), TestScene(3, 0), TestScene(4, 2)};
    std::vector<config::SceneData*> scenario{&config.current_scene};  // replaced, not appended to
    CaptureLog();
    config::MakeScenario(list, scenario);

    EXPECT_EQ(scenario, (std::vector<config::SceneData*>{&list[2], &list[0], &list[3]}));
    // Logged in list order, not in play order.
    EXPECT_EQ(LogLines(), (std::vector<std::wstring>{L"****** make scenario", L"+ no.1 \"S1\"", L"+ no.3 \"S3\"",
                                                     L"+ no.4 \"S4\""}));
}

TEST_F(WeftConfigTest, ScenarioOrdersCompareAsSigned)
{
    std::vector<config::SceneData> list{TestScene(1, 32767), TestScene(2, -32768), TestScene(3, 300), TestScene(4, 0)};
    std::vector<config::SceneData*> scenario;
    config::MakeScenario(list, scenario);
    EXPECT_EQ(NumbersOf(scenario), (std::vector<std::int16_t>{4, 3, 1}));
}

TEST_F(WeftConfigTest, CurrentSceneSelectsTheFirstSceneWithItsNumber)
{
    config::WeftConfig config;
    config.scene_list = {TestScene(5), TestScene(9), TestScene(9)};
    config.scene_list[2].order = 4;

    config.SetCurrentScene(config.scene_list[2]);
    EXPECT_EQ(config.settings.select, 1);
    EXPECT_EQ(config.current_scene.order, 4);  // the copy is of the given scene

    const config::SceneData stranger = TestScene(77);
    config.SetCurrentScene(stranger);
    EXPECT_TRUE(SameBytes(config.current_scene, stranger));
    EXPECT_EQ(config.settings.select, 1);

    const config::SceneData before = config.current_scene;
    config.SetCurrentScene(config.current_scene);
    EXPECT_TRUE(SameBytes(config.current_scene, before));
}

TEST_F(WeftConfigTest, CommonSettingsAreReplacedWhole)
{
    config::WeftConfig config;
    config::CommonSettings common{};
    common.fps = 60;
    common.play = config::PLAY_LIST_ONE;
    common.padding[0] = 0xAB;
    common.padding[1] = 0xCD;
    for (std::size_t i = 0; i < sizeof common.reserved; ++i)
        common.reserved[i] = static_cast<std::uint8_t>(i + 1);
    config.SetCommonSettings(common);
    EXPECT_EQ(std::memcmp(&config.settings, &common, sizeof common), 0);
}

TEST_F(WeftConfigTest, DefaultsReplaceAChangedModelAndRebuildTheScenario)
{
    config::WeftConfig config;
    const std::uint32_t revision = config.scene_list_revision;
    config.scene_list = {TestScene(1, 0)};
    config::MakeScenario(config.scene_list, config.scenario);
    config.settings.fps = 5;
    config.settings.reserved[0] = 7;  // not a default: kept

    config.SetDefaults();
    EXPECT_EQ(config.settings.fps, 30u);
    EXPECT_EQ(config.settings.reserved[0], 7);
    EXPECT_EQ(config.scene_list.size(), 40u);
    EXPECT_EQ(config.scenario.size(), 12u);
    EXPECT_EQ(config.scenario.front(), &config.scene_list[3]);
    EXPECT_NE(config.scene_list_revision, revision);
}

TEST_F(WeftConfigTest, DataFilePathMustFitThePathLimit)
{
    config::WeftConfig config;
    CaptureLog();
    // Far beyond the classic 260 units: long install paths work.
    const std::wstring fits(config::kMaxPathUnits - 11, L'a');  // + "Tessel.dat" and the terminator
    EXPECT_EQ(config::DataFilePathIn(fits), fits + L"Tessel.dat");

    const std::wstring too_long(config::kMaxPathUnits - 10, L'a');
    EXPECT_EQ(config::DataFilePathIn(too_long), L"");
    const auto lines = LogLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(lines.back().starts_with(L"data file path too long (" + std::to_wstring(config::kMaxPathUnits) +
                                         L" units) : aaaa"));

    // Units are counted as stored: a character outside the BMP takes two.
    std::wstring wide(config::kMaxPathUnits - 12, L'a');
    wide += platform::WideFromUtf8("\xF0\x9F\x98\x80");  // U+1F600
    EXPECT_EQ(config::DataFilePathIn(wide), L"");
}
