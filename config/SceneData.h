#pragma once
#include <cstddef>
#include <cstdint>

#include "config/PlayMode.h"
#include "platform/Utf16.h"

namespace config {

// The two fixed-layout records of everything the user can configure. They are
// copied as a whole and stored in the data file byte for byte, so their layout
// is pinned below.

struct FrameSize {
    std::int32_t width;
    std::int32_t height;
};

// random_flags bits; other bits pass through unchanged.
enum : std::uint16_t {
    RANDOM_SIZE = 0x0002,
    RANDOM_TILING = 0x0004,
    RANDOM_HUE = 0x0010,
    RANDOM_TIME = 0x0100,
    RANDOM_INIT = 0x0200,
};

// proc bits.
enum : std::uint16_t {
    PROC_BLUR = 0x0002,
    PROC_NOISE = 0x0004,
};

inline constexpr std::size_t kSceneNameUnits = 16;

struct SceneData {
    std::int16_t no;
    platform::utf16_unit name[kSceneNameUnits];
    std::int16_t order;
    std::uint16_t random_flags;
    std::int16_t drop;
    std::int32_t time;
    FrameSize size;
    std::int16_t param[3];
    std::int16_t init;
    std::int32_t h_min;
    std::int32_t h_max;
    std::int32_t s_min2;
    std::int32_t s_max2;
    std::int32_t v_min;
    std::int32_t v_max;
    std::int32_t death_color;
    std::uint16_t tilling;
    std::uint16_t proc;
    std::int32_t random_seed;
};

struct CommonSettings {
    std::uint32_t fps;
    std::int16_t drop;
    std::uint8_t padding[2];
    std::int32_t time;
    FrameSize fsize;
    std::int32_t play;
    std::int32_t select;
    std::uint8_t reserved[40];
};

static_assert(sizeof(SceneData) == 96);
static_assert(offsetof(SceneData, no) == 0);
static_assert(offsetof(SceneData, name) == 2);
static_assert(offsetof(SceneData, order) == 34);
static_assert(offsetof(SceneData, random_flags) == 36);
static_assert(offsetof(SceneData, drop) == 38);
static_assert(offsetof(SceneData, time) == 40);
static_assert(offsetof(SceneData, size) == 44);
static_assert(offsetof(SceneData, param) == 52);
static_assert(offsetof(SceneData, init) == 58);
static_assert(offsetof(SceneData, h_min) == 60);
static_assert(offsetof(SceneData, h_max) == 64);
static_assert(offsetof(SceneData, s_min2) == 68);
static_assert(offsetof(SceneData, s_max2) == 72);
static_assert(offsetof(SceneData, v_min) == 76);
static_assert(offsetof(SceneData, v_max) == 80);
static_assert(offsetof(SceneData, death_color) == 84);
static_assert(offsetof(SceneData, tilling) == 88);
static_assert(offsetof(SceneData, proc) == 90);
static_assert(offsetof(SceneData, random_seed) == 92);

static_assert(sizeof(CommonSettings) == 68);
static_assert(offsetof(CommonSettings, fps) == 0);
static_assert(offsetof(CommonSettings, drop) == 4);
static_assert(offsetof(CommonSettings, padding) == 6);
static_assert(offsetof(CommonSettings, time) == 8);
static_assert(offsetof(CommonSettings, fsize) == 12);
static_assert(offsetof(CommonSettings, play) == 20);
static_assert(offsetof(CommonSettings, select) == 24);
static_assert(offsetof(CommonSettings, reserved) == 28);

// Negative scene values fall back to the common settings.
inline std::int32_t EffectiveTime(const SceneData& scene, const CommonSettings& common)
{
    return scene.time >= 0 ? scene.time : common.time;
}
inline std::int32_t EffectiveWidth(const SceneData& scene, const CommonSettings& common)
{
    return scene.size.width >= 0 ? scene.size.width : common.fsize.width;
}
inline std::int32_t EffectiveHeight(const SceneData& scene, const CommonSettings& common)
{
    return scene.size.height >= 0 ? scene.size.height : common.fsize.height;
}

} // namespace config
