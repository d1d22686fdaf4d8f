#include "saver/x11/WindowDisplay.h"

#include <algorithm>
#include <cstdint>

namespace saver::x11 {

DisplayInfo DisplayForWindow(int width, int height)
{
    int screen_width = width;
    int screen_height = height;
    if (width > 0 && height > 0 && width < kPreviewStripWidth) {
        screen_width = kPreviewStripWidth;
        const std::int64_t scaled = std::int64_t{height} * kPreviewStripWidth / width;
        screen_height = static_cast<int>(std::clamp<std::int64_t>(scaled, 1, 1 << 15));
    }
    return {screen_width, screen_height, {{0, 0, screen_width, screen_height}}, {0, 0, width, height}};
}

DrawnSize BoundWindowSize(int width, int height)
{
    constexpr int kLongestSide = 16384;
    constexpr std::int64_t kMostPixels = std::int64_t{8192} * 8192;
    const int w = std::clamp(width, 0, kLongestSide);
    int h = std::clamp(height, 0, kLongestSide);
    if (w > 0 && std::int64_t{w} * h > kMostPixels)
        h = static_cast<int>(kMostPixels / w);
    return {w, h, w == width && h == height};
}

} // namespace saver::x11
