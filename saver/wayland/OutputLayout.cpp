#include "saver/wayland/OutputLayout.h"

#include <algorithm>

namespace saver::wayland {

DisplayInfo LayOutOutputs(std::span<const Size> sizes)
{
    DisplayInfo display{0, 0, {}, {0, 0, 0, 0}};
    if (sizes.empty())
        return display;
    display.screen_width = sizes.front().width;
    display.screen_height = sizes.front().height;
    int x = 0;
    for (const Size& size : sizes) {
        display.monitors.push_back({x, 0, size.width, size.height});
        x += size.width;
        display.client.height = std::max(display.client.height, size.height);
    }
    display.client.width = x;
    return display;
}

} // namespace saver::wayland
