#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "EngineSupport.h"
#include "core/BuiltinScenes.h"
#include "core/CAEngine.h"
#include "support/ScriptedRandom.h"
#include "platform/Utf16.h"

namespace {

std::wstring NameOf(const config::SceneData& scene)
{
    return platform::WideFromUtf16(scene.name, config::kSceneNameUnits);
}

std::wstring RuleCode(const config::SceneData& scene)
{
    char code[32];
    std::snprintf(code, sizeof code, "%03d-%03d-%03d", scene.param[0], scene.param[1], scene.param[2]);
    return std::wstring(code, code + std::char_traits<char>::length(code));
}

const config::SceneData& Scene(int no)
{
    return core::builtin_scenes.at(static_cast<std::size_t>(no - 1));
}

} // namespace

TEST(BuiltinScenes, FortyNumberedScenesNamedByTheirRules)
{
    ASSERT_EQ(core::builtin_scenes.size(), 40u);
    std::set<std::wstring> names;
    const std::set<int> pattern_differs = {21, 32, 33, 38};
    for (std::size_t i = 0; i < core::builtin_scenes.size(); ++i) {
        const config::SceneData& scene = core::builtin_scenes[i];
        const std::wstring name = NameOf(scene);
        SCOPED_TRACE(name);
        EXPECT_EQ(scene.no, static_cast<std::int16_t>(i + 1));
        names.insert(name);
        EXPECT_EQ(name.substr(0, 11), RuleCode(scene));
        if (scene.no == 38) {
            EXPECT_EQ(name.size(), 11u);
        } else {
            ASSERT_EQ(name.size(), 13u);
            EXPECT_EQ(name[11], L'-');
            EXPECT_EQ(name[12] == L'0' + scene.init, pattern_differs.count(scene.no) == 0);
        }
        // The rest of the field is zero-filled.
        for (std::size_t u = name.size(); u < config::kSceneNameUnits; ++u)
            EXPECT_EQ(scene.name[u], 0);
        EXPECT_EQ(scene.size.width, -1);
        EXPECT_EQ(scene.size.height, -1);
        EXPECT_EQ(scene.random_seed, 0);
        EXPECT_TRUE(scene.init >= 0 && scene.init <= 7);
        EXPECT_LE(scene.tilling, 4);
    }
    EXPECT_EQ(names.size(), 40u);
}

TEST(BuiltinScenes, FlagsAndTimesWhereTheyDiffer)
{
    std::vector<int> own_time, without_hue, random_init;
    for (const config::SceneData& scene : core::builtin_scenes) {
        if (scene.time >= 0)
            own_time.push_back(scene.no);
        if (!(scene.random_flags & config::RANDOM_HUE))
            without_hue.push_back(scene.no);
        if (scene.random_flags & config::RANDOM_INIT)
            random_init.push_back(scene.no);
    }
    EXPECT_EQ(own_time, (std::vector<int>{1, 2, 3, 35}));
    EXPECT_EQ(Scene(1).time, 1);
    EXPECT_EQ(Scene(3).time, 2);
    EXPECT_EQ(without_hue, std::vector<int>{14});
    EXPECT_EQ(random_init, (std::vector<int>{24, 38}));
    EXPECT_EQ(Scene(38).init, 0);
}

TEST(BuiltinScenes, DefaultScenarioInOrder)
{
    const std::vector<std::int16_t> expected = {4, 5, 6, 7, 8, 13, 14, 17, 24, 28, 33, 36};
    EXPECT_EQ(core::DefaultScenarioNumbers(), expected);

    const config::SceneData& current = core::builtin_scenes[6];
    EXPECT_EQ(NameOf(current), L"092-094-001-1");
    EXPECT_EQ(current.param[0], 92);
    EXPECT_EQ(current.param[1], 94);
    EXPECT_EQ(current.param[2], 1);
    EXPECT_EQ(current.init, 1);
    EXPECT_EQ(current.tilling, 3);
}

// Whole rows, field by field, to catch a value slipped into the wrong column.
TEST(BuiltinScenes, SampleRowsMatchTheCatalogue)
{
    struct Row {
        int no, order, flags, drop, time, p1, p2, p3, init, h_min, h_max, s_min2, s_max2, v_min, v_max, death,
            tilling, proc;
    };
    const Row rows[] = {
        {4, 0, 0x0010, 7, -1, 89, 92, 1, 1, 0, 255, 51, 51, 0, 255, 0x009F9FBF, 3, 0x0002},
        {6, 2, 0x0012, 2, -1, 91, 94, 1, 4, 765, 0, 255, 255, 128, 128, 0x00DFDFFF, 2, 0x0002},
        {19, -1, 0x0012, 1, -1, 88, 93, 4, 1, 0, 510, 0, 255, 127, 31, 0x00FFDFFF, 3, 0x0002},
        {24, 8, 0x0212, 0, -1, 93, 123, 5, 3, 255, 0, 255, 0, 0, 255, -1, 3, 0x0004},
        {31, -1, 0x0012, 1, -1, 94, 106, 1, 2, 1530, 765, 255, 255, 255, 255, 0x00DFDF00, 4, 0x0002},
        {33, 10, 0x0012, 0, -1, 91, 94, 3, 7, 0, 510, 255, 192, 255, 0, 0x00FFDFDF, 4, 0x0004},
        {36, 11, 0x0012, 1, -1, 95, 122, 1, 4, 510, 510, 96, 0, 96, 255, 0x00006000, 3, 0x0004},
        {40, -1, 0x0012, 0, -1, 90, 107, 9, 2, 0, 510, 255, 255, 96, 96, 0x00DFDFFF, 3, 0x0004},
    };
    for (const Row& row : rows) {
        const config::SceneData& s = Scene(row.no);
        SCOPED_TRACE(row.no);
        const std::vector<int> actual = {s.no,      s.order,  s.random_flags, s.drop,   s.time,   s.param[0],
                                         s.param[1], s.param[2], s.init,       s.h_min,  s.h_max,  s.s_min2,
                                         s.s_max2,  s.v_min,  s.v_max,        s.death_color, s.tilling, s.proc};
        const std::vector<int> expected = {row.no,    row.order, row.flags, row.drop,   row.time,  row.p1,
                                           row.p2,    row.p3,    row.init,  row.h_min,  row.h_max, row.s_min2,
                                           row.s_max2, row.v_min, row.v_max, row.death, row.tilling, row.proc};
        EXPECT_EQ(actual, expected);
    }
}

namespace {

// Sets a scene up as at a scene start: grid = frame + border, at least 128.
void LoadScene(core::CAEngine& engine, const config::SceneData& scene, const config::CommonSettings& common)
{
    engine.SetSize(std::max(config::EffectiveWidth(scene, common) + 2, 128), std::max(config::EffectiveHeight(scene, common) + 2, 128));
    std::copy(std::begin(scene.param), std::end(scene.param), engine.param);
    engine.tilling = scene.tilling;
    engine.init = scene.init;
    engine.Initialize();
}

config::CommonSettings FrameOf(std::int32_t w, std::int32_t h)
{
    config::CommonSettings common{};
    common.fsize = config::FrameSize{w, h};
    return common;
}

} // namespace

TEST(BuiltinScenes, DefaultSceneRunsOnTheDefaultFrame)
{
    tessel_test::XorShiftRandom random(31);
    platform::ScopedRandomSource scoped(random);
    core::CAEngine engine;
    LoadScene(engine, core::builtin_scenes[6], FrameOf(800, 600));
    EXPECT_EQ(engine.width, 802);
    EXPECT_EQ(engine.height, 602);
    EXPECT_EQ(engine.current.cols, 802u);
    EXPECT_EQ(engine.current.rows, 602u);
    EXPECT_EQ(engine.param[0], 92);
    EXPECT_EQ(engine.param[1], 94);
    EXPECT_EQ(engine.param[2], 1);
    EXPECT_EQ(engine.init, 1);
    EXPECT_EQ(engine.tilling, 3);
    ASSERT_TRUE(tessel_test::AllCellsInRange(engine.current));
    for (int generation = 0; generation < 20; ++generation) {
        engine.Step();
        ASSERT_TRUE(engine.alive);
        ASSERT_TRUE(tessel_test::AllCellsInRange(engine.current)) << "generation " << generation;
    }
}

// Every scene, on a small frame (the grid never goes below 128).
TEST(BuiltinScenes, EverySceneRunsInTheEngine)
{
    tessel_test::XorShiftRandom random(32);
    platform::ScopedRandomSource scoped(random);
    core::CAEngine engine;
    for (const config::SceneData& scene : core::builtin_scenes) {
        SCOPED_TRACE(scene.no);
        LoadScene(engine, scene, FrameOf(100, 150));
        ASSERT_EQ(engine.width, 128);
        ASSERT_EQ(engine.height, 152);
        ASSERT_TRUE(tessel_test::AllCellsInRange(engine.current));
        bool ever_alive = false;
        for (int generation = 0; generation < 4; ++generation) {
            engine.Step();
            ever_alive = ever_alive || engine.alive;
            ASSERT_TRUE(tessel_test::AllCellsInRange(engine.current)) << "generation " << generation;
        }
        EXPECT_TRUE(ever_alive);
    }
}
