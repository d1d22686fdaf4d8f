#include "render/CellPalette.h"

namespace render {

std::uint32_t CellPalette[256] = {};

namespace {

constexpr std::uint32_t Pack(std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    return (red & 0xFFu) << 16 | (green & 0xFFu) << 8 | (blue & 0xFFu);
}

struct Rgb {
    std::uint32_t r, g, b;
};

constexpr Rgb Unpack(std::uint32_t pixel)
{
    return {pixel >> 16 & 0xFFu, pixel >> 8 & 0xFFu, pixel & 0xFFu};
}

// The non-negative remainder modulo `modulus`.
std::uint32_t Wrap(std::int64_t n, std::int64_t modulus)
{
    const std::int64_t r = n % modulus;
    return static_cast<std::uint32_t>(r < 0 ? r + modulus : r);
}

} // namespace

std::uint32_t HsvToPixel(std::uint32_t hue, std::uint32_t saturation, std::uint32_t value)
{
    const std::uint32_t low = saturation < value ? value - saturation : 0;
    const std::uint32_t h = hue % kHueSteps;
    const std::uint32_t f = h % 255;
    const std::uint32_t rise = (value - low) * f / 255;
    const std::uint32_t up = low + rise;
    const std::uint32_t down = value - rise;
    switch (h / 255) {
    case 0: return Pack(value, up, low);
    case 1: return Pack(down, value, low);
    case 2: return Pack(low, value, up);
    case 3: return Pack(low, down, value);
    case 4: return Pack(up, low, value);
    default: return Pack(value, low, down);
    }
}

void BuildPalette(std::int32_t h_min, std::int32_t s_min2, std::int32_t v_min, std::int32_t h_max,
                  std::int32_t s_max2, std::int32_t v_max, std::int32_t death_color)
{
    // Differences in 64 bits: the ends are user data and may lie far apart.
    const std::int64_t dh = static_cast<std::int64_t>(h_max) - h_min;
    const std::int64_t ds = static_cast<std::int64_t>(s_max2) - s_min2;
    const std::int64_t dv = static_cast<std::int64_t>(v_max) - v_min;
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t hue = Wrap(h_min + i * dh / 255, kHueSteps);
        const std::uint32_t sat = Wrap(s_min2 + i * ds / 255, 256);
        const std::uint32_t val = Wrap(v_min + i * dv / 255, 256);
        CellPalette[i] = HsvToPixel(hue, sat, val);
    }
    if (death_color != -1)
        CellPalette[0] = static_cast<std::uint32_t>(death_color);
}

int PixelHueSector(std::uint32_t pixel)
{
    const auto [r, g, b] = Unpack(pixel);
    if (r > g) {
        if (g >= b)
            return 0;
        return r >= b ? 5 : 4;
    }
    if (r == g) {
        if (g > b)
            return 1;
        return g == b ? 6 : 4;
    }
    if (g > b)
        return b < r ? 1 : 2;
    return 3;
}

std::uint32_t PixelHue(std::uint32_t pixel)
{
    const auto [r, g, b] = Unpack(pixel);
    switch (PixelHueSector(pixel)) {
    case 0: return (g - b) * 255 / (r - b);
    case 1: return 510 - (r - b) * 255 / (g - b);
    case 2: return 510 + (b - r) * 255 / (g - r);
    case 3: return 1020 - (g - r) * 255 / (b - r);
    case 4: return 1020 + (r - g) * 255 / (b - g);
    case 5: return 1530 - (b - g) * 255 / (r - g);
    default: return 0;
    }
}

std::uint32_t PixelChroma(std::uint32_t pixel)
{
    const auto [r, g, b] = Unpack(pixel);
    const std::uint32_t hi = r > g ? (r > b ? r : b) : (g > b ? g : b);
    const std::uint32_t lo = r < g ? (r < b ? r : b) : (g < b ? g : b);
    return hi - lo;
}

} // namespace render
