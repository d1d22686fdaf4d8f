#pragma once
#include <cstdint>

namespace render {

// Colour model shared by the palette, the scheduler's hue turns and the cell
// colour dialog. A frame pixel is 0x00RRGGBB (bytes blue, green, red, zero in
// memory). Hue runs 0..1529 per turn: six sectors of 255 steps starting at red.
// Saturation is an absolute amount (largest minus smallest component), value
// the largest component.

// One colour per cell value, rebuilt at every scene start.
extern std::uint32_t CellPalette[256];

inline constexpr std::uint32_t kHueSteps = 1530;

std::uint32_t HsvToPixel(std::uint32_t hue, std::uint32_t saturation, std::uint32_t value);

// Steps hue, saturation and value linearly from the first end (cell value 0)
// to the second (cell value 255); the hue walks backwards when h_max < h_min.
// A death_color other than -1 replaces entry 0 as it stands.
void BuildPalette(std::int32_t h_min, std::int32_t s_min2, std::int32_t v_min, std::int32_t h_max,
                  std::int32_t s_max2, std::int32_t v_max, std::int32_t death_color);

// 0..5 by which component leads and which trails; 6 for a grey.
int PixelHueSector(std::uint32_t pixel);
std::uint32_t PixelHue(std::uint32_t pixel);
std::uint32_t PixelChroma(std::uint32_t pixel);

} // namespace render
