#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "ConfigTestSupport.h"
#include "config/SceneScheduler.h"
#include "config/WeftConfig.h"
#include "core/CAEngine.h"
#include "platform/Random.h"
#include "render/CellPalette.h"
#include "support/ScriptedRandom.h"

using namespace tessel_test;

namespace {

class SceneSchedulerTest : public ConfigFolderTest {
protected:
    void SetUp() override
    {
        ConfigFolderTest::SetUp();
        config_ = std::make_unique<config::WeftConfig>();
        // Patterns draw too; a seeded source keeps them quick and repeatable.
        seeded_source_ = std::make_unique<platform::ScopedRandomSource>(seeded_);
        CaptureLog();
    }

    void TearDown() override
    {
        seeded_source_.reset();
        ConfigFolderTest::TearDown();
    }

    // A list of three plain scenes, all in the scenario: A (1), B (2), C (3).
    void UseThreeScenes(std::int32_t play)
    {
        config_->scene_list = {TestScene(1, 0), TestScene(2, 1), TestScene(3, 2)};
        config::MakeScenario(config_->scene_list, config_->scenario);
        config_->settings.play = play;
        CaptureLog();
    }

    // The numbers of the scenes that the next `starts` starts play.
    std::vector<std::int16_t> Play(int starts, int screen_width = 1920, int screen_height = 1080)
    {
        std::vector<std::int16_t> played;
        for (int i = 0; i < starts; ++i) {
            scheduler_.NewScene(*config_, engine_, screen_width, screen_height);
            played.push_back(config_->current_scene.no);
        }
        return played;
    }

    // Starts one scene made from `scene` as the current scene (play mode 0).
    void StartOwnScene(const config::SceneData& scene, int screen_width = 1920, int screen_height = 1080)
    {
        config_->settings.play = config::PLAY_RULE_CODE;
        config_->current_scene = scene;
        scheduler_.NewScene(*config_, engine_, screen_width, screen_height);
    }

    int Count(const std::wstring& line)
    {
        const auto lines = LogLines();
        return static_cast<int>(std::count(lines.begin(), lines.end(), line));
    }

    XorShiftRandom seeded_{12345};
    std::unique_ptr<platform::ScopedRandomSource> seeded_source_;
    std::unique_ptr<config::WeftConfig> config_;
    core::CAEngine engine_;
    config::SceneScheduler scheduler_;
};

using Played = std::vector<std::int16_t>;

} // namespace

TEST_F(SceneSchedulerTest, ListOrderPlaysTheScenarioOverAndOver)
{
    UseThreeScenes(config::PLAY_LIST_ORDER);
    EXPECT_EQ(Play(7), (Played{1, 2, 3, 1, 2, 3, 1}));
    EXPECT_EQ(Count(L"**** make play list"), 3);
    EXPECT_EQ(config_->settings.select, 0);
}

TEST_F(SceneSchedulerTest, ShufflePlaysEachSceneOncePerRound)
{
    UseThreeScenes(config::PLAY_LIST_SHUFFLE);
    // Each scene is inserted at draw mod (entries so far + 1).
    ScriptedRandom random{0, 0, 0, 5, 1, 1};
    platform::ScopedRandomSource source(random);
    EXPECT_EQ(Play(6), (Played{3, 2, 1, 1, 3, 2}));
    EXPECT_EQ(random.draws(), 6u);
    EXPECT_EQ(Count(L"**** make play list"), 2);
}

TEST_F(SceneSchedulerTest, OneOfTheListPlaysOneDrawnSceneForTheWholeRun)
{
    UseThreeScenes(config::PLAY_LIST_ONE);
    ScriptedRandom random{4, 0, 0};
    platform::ScopedRandomSource source(random);
    EXPECT_EQ(Play(5), (Played{2, 2, 2, 2, 2}));
    EXPECT_EQ(random.draws(), 1u);
}

TEST_F(SceneSchedulerTest, ListModesWithoutScenarioPlayTheCurrentScene)
{
    for (const std::int32_t play : {config::PLAY_LIST_ORDER, config::PLAY_LIST_SHUFFLE, config::PLAY_LIST_ONE}) {
        config::SceneScheduler scheduler;
        config_->scene_list = {TestScene(1), TestScene(2)};
        config::MakeScenario(config_->scene_list, config_->scenario);
        config_->settings.play = play;
        config_->current_scene = TestScene(42);
        CaptureLog();
        for (int i = 0; i < 3; ++i) {
            scheduler.NewScene(*config_, engine_, 1920, 1080);
            EXPECT_EQ(config_->current_scene.no, 42) << play;
        }
        EXPECT_EQ(Count(L"**** make play list"), play == config::PLAY_LIST_ONE ? 1 : 3) << play;
    }
}

TEST_F(SceneSchedulerTest, RuleSelectRepeatsTheSelectedScene)
{
    UseThreeScenes(config::PLAY_RULE_SELECT);
    config_->settings.select = 2;
    EXPECT_EQ(Play(3), (Played{3, 3, 3}));
    EXPECT_EQ(config_->settings.select, 2);
}

TEST_F(SceneSchedulerTest, RuleSelectWithoutSuchASceneKeepsTheCurrentOne)
{
    UseThreeScenes(config::PLAY_RULE_SELECT);
    config_->settings.select = 3;
    config_->current_scene = TestScene(9);
    EXPECT_EQ(Play(2), (Played{9, 9}));
}

TEST_F(SceneSchedulerTest, RuleCodeRepeatsTheCurrentSceneAndItsHueTurnsAddUp)
{
    config::SceneData scene = TestScene(8);
    scene.random_flags = config::RANDOM_HUE;
    ScriptedRandom random{100};
    platform::ScopedRandomSource source(random);
    StartOwnScene(scene);
    scheduler_.NewScene(*config_, engine_, 1920, 1080);
    EXPECT_EQ(config_->current_scene.no, 8);
    EXPECT_EQ(config_->current_scene.h_min, 200);
    EXPECT_EQ(config_->current_scene.h_max, 455);
}

TEST_F(SceneSchedulerTest, ChangedSceneListStartsAFreshPlayList)
{
    UseThreeScenes(config::PLAY_LIST_ORDER);
    EXPECT_EQ(Play(1), (Played{1}));
    config_->SetDefaults();  // B and C are gone
    config_->settings.play = config::PLAY_LIST_ORDER;
    EXPECT_EQ(Play(2), (Played{4, 5}));

    // A list replaced from outside, scenario not rebuilt: nothing stale is used.
    config_->scene_list = {TestScene(70, 0), TestScene(71, 1), TestScene(72, -1), TestScene(73, 2)};
    EXPECT_EQ(Play(3), (Played{70, 71, 73}));
}

TEST_F(SceneSchedulerTest, FrameSizeFallsBackToTheCommonSize)
{
    config_->settings.fsize = {800, 600};
    StartOwnScene(TestScene(1));
    EXPECT_EQ(engine_.width, 802);
    EXPECT_EQ(engine_.height, 602);
    EXPECT_TRUE(Logged(L"drop:0  time:-1  size:800x600"));
}

TEST_F(SceneSchedulerTest, SmallFramesStillGetTheSmallestGrid)
{
    config::SceneData scene = TestScene(1);
    scene.size = {100, 100};
    StartOwnScene(scene);
    EXPECT_EQ(engine_.width, 128);
    EXPECT_EQ(engine_.height, 128);
    EXPECT_TRUE(Logged(L"drop:0  time:-1  size:100x100"));
}

TEST_F(SceneSchedulerTest, RandomSizeOnASmallScreenDrawsNothing)
{
    config::SceneData scene = TestScene(1);
    scene.random_flags = config::RANDOM_SIZE;
    ScriptedRandom random{500};
    platform::ScopedRandomSource source(random);
    StartOwnScene(scene, 128, 100);
    EXPECT_EQ(random.draws(), 0u);
    EXPECT_EQ(engine_.width, 130);
    EXPECT_EQ(engine_.height, 130);
    EXPECT_EQ(config_->current_scene.size.width, -1);  // the draw is not stored
}

TEST_F(SceneSchedulerTest, RandomSizeStepsBySixteenFrom128To1008)
{
    config::SceneData scene = TestScene(1);
    scene.random_flags = config::RANDOM_SIZE;
    ScriptedRandom random{0, 895, 896 + 17, 0xFFFFFFFF};
    platform::ScopedRandomSource source(random);
    StartOwnScene(scene);
    EXPECT_EQ(engine_.width, 128 + 2);
    EXPECT_EQ(engine_.height, 1008 + 2);
    StartOwnScene(scene);
    EXPECT_EQ(engine_.width, 144 + 2);                               // 17 + 128, cut to 16s
    EXPECT_EQ(engine_.height, (((0xFFFFFFFFu % 896) + 128) & ~15u) + 2);
}

TEST_F(SceneSchedulerTest, DrawsComeInAFixedOrder)
{
    config::SceneData scene = TestScene(1);
    scene.random_flags = config::RANDOM_SIZE | config::RANDOM_TILING | config::RANDOM_HUE | config::RANDOM_INIT | config::RANDOM_TIME;
    ScriptedRandom random{16, 32, 7, 13, 1439 + 1440 * 2};
    platform::ScopedRandomSource source(random);
    StartOwnScene(scene);
    EXPECT_EQ(random.draws(), 5u);
    EXPECT_EQ(engine_.width, 144 + 2);
    EXPECT_EQ(engine_.height, 160 + 2);
    EXPECT_EQ(config_->current_scene.h_min, 7);
    EXPECT_EQ(config_->current_scene.init, 5);
    EXPECT_EQ(engine_.init, 5);
    EXPECT_EQ(config_->current_scene.time, 1440);
    const auto lines = LogLines();
    std::vector<std::wstring> marks;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(marks),
                 [](const std::wstring& l) { return l.starts_with(L"! "); });
    EXPECT_EQ(marks, (std::vector<std::wstring>{L"! change size", L"! change hue", L"! change init",
                                                L"! change time"}));
}

TEST_F(SceneSchedulerTest, RandomTimeVariesOnlyThePlayedCopy)
{
    UseThreeScenes(config::PLAY_RULE_SELECT);
    config_->scene_list[0].random_flags = config::RANDOM_TIME;
    config_->settings.select = 0;
    ScriptedRandom random{0, 1439};
    platform::ScopedRandomSource source(random);
    Play(1);
    EXPECT_EQ(config_->current_scene.time, 1);
    Play(1);
    EXPECT_EQ(config_->current_scene.time, 1440);
    EXPECT_EQ(config_->scene_list[0].time, -1);
}

TEST_F(SceneSchedulerTest, HueTurnMovesBothEndsAndThePalette)
{
    config::SceneData scene = TestScene(1);
    scene.random_flags = config::RANDOM_HUE;
    scene.h_min = 0;
    scene.h_max = 255;
    ScriptedRandom random{1530 + 1500};
    platform::ScopedRandomSource source(random);
    StartOwnScene(scene);
    EXPECT_EQ(config_->current_scene.h_min, 1500);
    EXPECT_EQ(config_->current_scene.h_max, 1755);
    EXPECT_EQ(render::CellPalette[0], render::HsvToPixel(1500, 255, 255));
    EXPECT_EQ(render::CellPalette[255], render::HsvToPixel(1755, 255, 255));
}

TEST_F(SceneSchedulerTest, HueTurnTurnsTheDeathColorAlone)
{
    struct Case {
        std::int32_t before;
        std::uint32_t turn;
        std::int32_t after;
    };
    for (const Case c : {Case{0x00FF0000, 510, 0x0000FF00}, Case{0x00800000, 510, 0x00008000},
                         Case{0x00FF8080, 1020, 0x008080FF}, Case{0, 510, 0}, Case{-1, 510, -1}}) {
        config::SceneData scene = TestScene(1);
        scene.random_flags = config::RANDOM_HUE;
        scene.death_color = c.before;
        ScriptedRandom random{c.turn};
        platform::ScopedRandomSource source(random);
        StartOwnScene(scene);
        EXPECT_EQ(config_->current_scene.death_color, c.after) << std::hex << c.before;
    }
}

TEST_F(SceneSchedulerTest, EngineTakesTheRuleAndLogsTheScene)
{
    UseThreeScenes(config::PLAY_RULE_SELECT);
    config::SceneData& scene = config_->scene_list[2];
    scene.param[0] = 95;
    scene.param[1] = 112;
    scene.param[2] = 3;
    scene.init = 4;
    scene.tilling = 3;
    scene.proc = config::PROC_NOISE;
    scene.random_seed = 77;
    scene.death_color = 0x00102030;
    scene.drop = 2;
    config_->settings.select = 2;
    Play(1);
    EXPECT_EQ(engine_.param[0], 95);
    EXPECT_EQ(engine_.param[1], 112);
    EXPECT_EQ(engine_.param[2], 3);
    EXPECT_EQ(engine_.init, 4);
    EXPECT_EQ(engine_.tilling, 3);
    EXPECT_EQ(render::CellPalette[0], 0x00102030u);
    EXPECT_EQ(LogLines(), (std::vector<std::wstring>{
                              L"> NewScene",
                              L"**** make play list",
                              L"+ no.3 \"S3\"",
                              L"** scene setting [3:S3]",
                              L"drop:2  time:-1  size:800x600",
                              L"param:95,112,3  init:4",
                              L"h_min:0 h_max:255  death_color:0x00102030",
                              L"s_min2:255 s_max2:255  v_min:255 v_max:255",
                              L"tilling:3  proc:0x0004  random_seed:77",
                          }));
}

TEST_F(SceneSchedulerTest, DamagedSceneValuesAreLimitedForPlay)
{
    config_->settings.fsize = {5000, 700};
    config::SceneData scene = TestScene(1);
    scene.size = {-1, 0x7FFFFFFF};
    scene.param[2] = -3;
    scene.drop = 500;
    scene.time = 99999;
    scene.h_min = 0x7FFFFFFF;
    scene.h_max = 0x7FFFFF00;
    scene.random_flags = config::RANDOM_HUE;
    ScriptedRandom random{1000};
    platform::ScopedRandomSource source(random);
    StartOwnScene(scene);
    EXPECT_EQ(engine_.width, 1026);
    EXPECT_EQ(engine_.height, 1026);
    EXPECT_EQ(engine_.param[2], 0);
    EXPECT_EQ(config_->current_scene.drop, 9);
    EXPECT_EQ(config_->current_scene.time, 1440);
    // Whole turns are dropped instead of overflowing; the colours stay.
    const config::SceneData& played = config_->current_scene;
    EXPECT_EQ(played.h_max - played.h_min, 0x7FFFFF00 - 0x7FFFFFFF);
    EXPECT_EQ((static_cast<std::int64_t>(played.h_min) - (0x7FFFFFFFll + 1000)) % 1530, 0);
    EXPECT_TRUE(Logged(L"  size 5000x2147483647 out of range : using 1024x1024"));
}
