#pragma once
#include <cstdint>

#include "config/SceneData.h"

namespace config {

// The random variations a scene may ask for at its start. Each draws from
// platform::Random32() only when it is applied.

// A frame extent for a screen extent: kMinFrameExtent for small screens (no
// draw), otherwise one of 128, 144, ... 1008 (see Defaults.h).
std::int32_t DrawFrameExtent(int screen_extent);

// Turns both hue ends by `turn` steps, and a death colour above 0 by the same
// angle, keeping its brightness and colourfulness.
void TurnHue(SceneData& scene, std::uint32_t turn);

// The same colour with its hue turned by `turn` steps.
std::int32_t TurnedColor(std::int32_t pixel, std::uint32_t turn);

} // namespace config
