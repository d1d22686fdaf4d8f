#include "config/SceneVariation.h"

#include <algorithm>
#include <limits>

#include "config/Defaults.h"
#include "platform/Random.h"
#include "render/CellPalette.h"

namespace config {

namespace {

// Hues are taken modulo a turn, so both ends may drop whole turns together
// (keeping their difference) when adding would leave the 32-bit range.
void AddTurn(std::int32_t& h_min, std::int32_t& h_max, std::uint32_t turn)
{
    std::int64_t low = h_min;
    std::int64_t high = h_max;
    const std::int64_t top = std::max(low, high) + turn;
    if (top > std::numeric_limits<std::int32_t>::max()) {
        const std::int64_t turns = (top - std::numeric_limits<std::int32_t>::max()) / render::kHueSteps + 1;
        low -= turns * render::kHueSteps;
        high -= turns * render::kHueSteps;
    }
    h_min = static_cast<std::int32_t>(std::max<std::int64_t>(low + turn, std::numeric_limits<std::int32_t>::min()));
    h_max = static_cast<std::int32_t>(std::max<std::int64_t>(high + turn, std::numeric_limits<std::int32_t>::min()));
}

} // namespace

std::int32_t DrawFrameExtent(int screen_extent)
{
    if (screen_extent <= kMinFrameExtent)
        return kMinFrameExtent;
    constexpr auto kSpan = static_cast<std::uint32_t>(kMaxFrameExtent - kMinFrameExtent);
    constexpr auto kRoundDown = ~static_cast<std::uint32_t>(kFrameExtentStep - 1);
    const std::uint32_t r = platform::Random32();
    return static_cast<std::int32_t>(((r % kSpan) + static_cast<std::uint32_t>(kMinFrameExtent)) & kRoundDown);
}

std::int32_t TurnedColor(std::int32_t pixel, std::uint32_t turn)
{
    const auto p = static_cast<std::uint32_t>(pixel);
    const std::uint32_t value = std::max({(p >> 16) & 0xFFu, (p >> 8) & 0xFFu, p & 0xFFu});
    return static_cast<std::int32_t>(render::HsvToPixel(render::PixelHue(p) + turn, render::PixelChroma(p), value));
}

void TurnHue(SceneData& scene, std::uint32_t turn)
{
    AddTurn(scene.h_min, scene.h_max, turn);
    if (scene.death_color > 0)
        scene.death_color = TurnedColor(scene.death_color, turn);
}

} // namespace config
