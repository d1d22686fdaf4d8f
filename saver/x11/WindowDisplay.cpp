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

} // namespace saver::x11
