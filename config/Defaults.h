#pragma once
#include <cstdint>

#include "config/SceneData.h"

namespace config {

// The common settings a fresh installation starts with; damaged values read
// from a file fall back to them as well.
inline constexpr std::uint32_t kDefaultFps = 30;
inline constexpr std::int16_t kDefaultDrop = 0;
inline constexpr std::int32_t kDefaultTime = 3;
inline constexpr FrameSize kDefaultFrameSize = {800, 600};
inline constexpr std::int32_t kDefaultPlay = PLAY_LIST_SHUFFLE;
inline constexpr std::int32_t kDefaultSelect = 6;

// Ranges the settings dialog enforces.
inline constexpr std::uint32_t kMaxFps = 120;
inline constexpr std::int32_t kMaxDrop = 9;
inline constexpr std::int32_t kMaxTime = 1440;
inline constexpr std::int32_t kMinFrameExtent = 128;
inline constexpr std::int32_t kMaxFrameExtent = 1024;

// What the random variations draw: a frame extent is a multiple of
// kFrameExtentStep from kMinFrameExtent up to below kMaxFrameExtent; a play
// time is 1 to kMaxTime minutes; a pattern is any of core::kInitPatterns.
inline constexpr std::int32_t kFrameExtentStep = 16;
static_assert(kMinFrameExtent % kFrameExtentStep == 0);
static_assert((kFrameExtentStep & (kFrameExtentStep - 1)) == 0, "a power of two, so that masking rounds down");

} // namespace config
