#include "saver/MonitorLayout.h"

#include <algorithm>
#include <cstdint>

#include "core/TilingMode.h"

namespace saver {

Rect Intersect(const Rect& a, const Rect& b)
{
    // Right and bottom edges in 64 bits: rectangles near the ends of the
    // int range must not wrap.
    const std::int64_t left = std::max<std::int64_t>(a.x, b.x);
    const std::int64_t top = std::max<std::int64_t>(a.y, b.y);
    const std::int64_t right = std::min(std::int64_t{a.x} + a.width, std::int64_t{b.x} + b.width);
    const std::int64_t bottom = std::min(std::int64_t{a.y} + a.height, std::int64_t{b.y} + b.height);
    if (right <= left || bottom <= top)
        return {static_cast<int>(left), static_cast<int>(top), 0, 0};
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
            static_cast<int>(bottom - top)};
}

MonitorLayout LayOutMonitors(std::span<const Rect> monitors, const Rect& client, Size primary)
{
    MonitorLayout layout;
    layout.image_sizes.push_back(primary);
    const Rect client_area{0, 0, client.width, client.height};
    for (const Rect& monitor : monitors) {
        if (monitor.width <= 0 || monitor.height <= 0)
            continue;
        const Rect area{static_cast<int>(std::int64_t{monitor.x} - client.x),
                        static_cast<int>(std::int64_t{monitor.y} - client.y), monitor.width, monitor.height};
        const Rect visible = Intersect(area, client_area);
        if (visible.width == 0 || visible.height == 0)
            continue;
        const Size size{monitor.width, monitor.height};
        auto found = std::find(layout.image_sizes.begin(), layout.image_sizes.end(), size);
        if (found == layout.image_sizes.end())
            found = layout.image_sizes.insert(found, size);
        layout.monitors.push_back({area, visible, static_cast<int>(found - layout.image_sizes.begin())});
    }
    return layout;
}

BlitPlan MonitorBlit(std::uint16_t tilling, const MonitorArea& monitor, int cell_width, int cell_height)
{
    BlitPlan plan;
    if (tilling == core::TILE_FIT) {
        // Stretched over the whole monitor; the window clips what lies outside.
        plan.kind = BlitKind::FitStretch;
        plan.from_cell_image = true;
        plan.set_halftone = true;
        plan.source = {1, 1, cell_width - 2, cell_height - 2};
        plan.dest = monitor.area;
        return plan;
    }
    // A copy at the image's own size, so only the visible part is needed.
    plan.kind = BlitKind::Copy;
    plan.screen_image = monitor.image;
    plan.source = {monitor.visible.x - monitor.area.x, monitor.visible.y - monitor.area.y, monitor.visible.width,
                   monitor.visible.height};
    plan.dest = monitor.visible;
    return plan;
}

} // namespace saver
