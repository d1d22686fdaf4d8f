#include "saver/FrameBuffer.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "saver/MonitorLayout.h"

namespace saver {
namespace {

// Row y of the shown image (counted from its top) in the bottom-up storage.
const std::uint32_t* ShownRow(const weftcpplib::CDIBData& image, int y)
{
    return image.Pixels() + static_cast<std::size_t>(image.Height() - 1 - y) * image.Width();
}

} // namespace

FrameBuffer::FrameBuffer(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0u)
{
}

void FrameBuffer::Draw(const weftcpplib::CDIBData& image, const BlitPlan& plan)
{
    DrawPlan(image, plan, {pixels_.data(), width_, height_, static_cast<std::size_t>(width_)});
}

Rect ReachedArea(std::span<const BlitPlan> plans, const Rect& area)
{
    int left = area.width, top = area.height, right = 0, bottom = 0;
    for (const BlitPlan& plan : plans) {
        if (plan.kind == BlitKind::None)
            continue;
        const Rect r = Intersect(plan.dest, area);
        if (r.width <= 0 || r.height <= 0)
            continue;
        left = std::min(left, r.x - area.x);
        top = std::min(top, r.y - area.y);
        right = std::max(right, r.x - area.x + r.width);
        bottom = std::max(bottom, r.y - area.y + r.height);
    }
    if (right <= left || bottom <= top)
        return {0, 0, 0, 0};
    return {left, top, right - left, bottom - top};
}

void DrawPlan(const weftcpplib::CDIBData& image, const BlitPlan& plan, const PixelRows& rows)
{
    const Rect& s = plan.source;
    const Rect& d = plan.dest;
    if (plan.kind == BlitKind::None || s.width <= 0 || s.height <= 0 || d.width <= 0 || d.height <= 0)
        return;
    const Rect bounds{0, 0, image.Width(), image.Height()};
    const Rect target = Intersect(d, {0, 0, rows.width, rows.height});
    if (target.width == 0 || target.height == 0)
        return;

    if (plan.kind == BlitKind::Copy) {
        // Clip the source too; the destination moves with it.
        const Rect from = Intersect({s.x, s.y, s.width, s.height}, bounds);
        const Rect to = Intersect({d.x + (from.x - s.x), d.y + (from.y - s.y), from.width, from.height}, target);
        for (int y = to.y; y < to.y + to.height; ++y) {
            const std::uint32_t* in = ShownRow(image, y - d.y + s.y) + (to.x - d.x + s.x);
            std::memcpy(rows.pixels + static_cast<std::size_t>(y) * rows.stride + to.x, in,
                        static_cast<std::size_t>(to.width) * sizeof(std::uint32_t));
        }
        return;
    }

    // Stretch: the source pixel under each destination pixel's centre.
    // Source pixels outside the image are left out, as the device does.
    for (int y = target.y; y < target.y + target.height; ++y) {
        const std::int64_t sy = s.y + ((2 * std::int64_t{y - d.y} + 1) * s.height) / (2 * std::int64_t{d.height});
        if (sy < 0 || sy >= image.Height())
            continue;
        const std::uint32_t* in = ShownRow(image, static_cast<int>(sy));
        std::uint32_t* out = rows.pixels + static_cast<std::size_t>(y) * rows.stride;
        for (int x = target.x; x < target.x + target.width; ++x) {
            const std::int64_t sx = s.x + ((2 * std::int64_t{x - d.x} + 1) * s.width) / (2 * std::int64_t{d.width});
            if (sx >= 0 && sx < image.Width())
                out[x] = in[sx];
        }
    }
}

} // namespace saver
