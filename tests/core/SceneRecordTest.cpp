#include <gtest/gtest.h>

#include <cstring>
#include <type_traits>

#include "config/SceneData.h"
#include "core/BuiltinScenes.h"

// The records go to the data file byte for byte: they must stay plain values.
static_assert(std::is_trivially_copyable_v<config::SceneData>);
static_assert(std::is_standard_layout_v<config::SceneData>);
static_assert(std::is_trivially_copyable_v<config::CommonSettings>);
static_assert(std::is_standard_layout_v<config::CommonSettings>);
static_assert(sizeof(platform::utf16_unit) == 2);

TEST(SceneRecord, CopiesKeepEveryByte)
{
    config::SceneData scene = core::builtin_scenes[23];
    scene.random_flags |= 0x8001; // bits no part acts on
    unsigned char bytes[sizeof(config::SceneData)];
    std::memcpy(bytes, &scene, sizeof bytes);
    config::SceneData copy{};
    std::memcpy(&copy, bytes, sizeof bytes);
    EXPECT_EQ(std::memcmp(&copy, &scene, sizeof scene), 0);
    EXPECT_EQ(copy.random_flags, 0x8213);

    // Little-endian fields at their offsets.
    EXPECT_EQ(bytes[0], 24);
    EXPECT_EQ(bytes[52], 93);
    EXPECT_EQ(bytes[54], 123);
    EXPECT_EQ(bytes[84], 0xFF); // death_color -1
}

TEST(SceneRecord, NegativeSceneValuesFallBackToCommonSettings)
{
    config::CommonSettings common{};
    common.time = 3;
    common.fsize = config::FrameSize{800, 600};
    config::SceneData scene = core::builtin_scenes[6];
    EXPECT_EQ(config::EffectiveTime(scene, common), 3);
    EXPECT_EQ(config::EffectiveWidth(scene, common), 800);
    EXPECT_EQ(config::EffectiveHeight(scene, common), 600);

    scene.time = 0;
    scene.size = config::FrameSize{256, -2};
    EXPECT_EQ(config::EffectiveTime(scene, common), 0) << "0 is no time limit, not a fallback";
    EXPECT_EQ(config::EffectiveWidth(scene, common), 256);
    EXPECT_EQ(config::EffectiveHeight(scene, common), 600);
    EXPECT_EQ(config::EffectiveTime(core::builtin_scenes[2], common), 2);
}
