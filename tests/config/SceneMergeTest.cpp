#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ConfigTestSupport.h"
#include "config/SceneMerge.h"

using tessel_test::TestScene;

// Built-in scenes 1 to 4; scene 2 belongs to the scenario (order 5).
TEST(SceneMerge, RestoringAddsOnlyWhatIsMissingAndKeepsItInTheScenario)
{
    const std::vector<config::SceneData> builtins{TestScene(1, 2), TestScene(2, 5), TestScene(3), TestScene(4, 0)};
    struct Case {
        const char* what;
        std::vector<config::SceneData> list;
        std::int16_t top;
        std::vector<std::int16_t> numbers;  // the list afterwards
        std::int16_t restored_order;        // scene 2's
    };
    const Case cases[] = {
        // A damaged file's list need not be in number order.
        {"out of order", {TestScene(4), TestScene(3), TestScene(1)}, 9, {2, 4, 3, 1}, 10},
        {"at the highest order", {TestScene(1, 32767), TestScene(3), TestScene(4)}, 32767, {1, 2, 3, 4}, 32767},
    };
    for (const Case& c : cases) {
        std::vector<config::SceneData> list = c.list;
        std::int16_t top = c.top;
        EXPECT_EQ(config::RestoreMissingBuiltinScenes(list, builtins, top), 1u) << c.what;
        std::vector<std::int16_t> numbers;
        for (const config::SceneData& scene : list)
            numbers.push_back(scene.no);
        ASSERT_EQ(numbers, c.numbers) << c.what;
        const auto restored = std::find_if(list.begin(), list.end(), [](const auto& s) { return s.no == 2; });
        ASSERT_NE(restored, list.end()) << c.what;
        EXPECT_EQ(restored->order, c.restored_order) << c.what;
        EXPECT_EQ(top, c.restored_order) << c.what;
    }
}
