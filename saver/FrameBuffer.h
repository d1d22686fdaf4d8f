#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "saver/BlitPlan.h"
#include "weftcpplib/CDIBData.h"

// A client area in memory, for front ends without a device to blit to (a
// renderer writing image files, an X11 window putting the result with
// XPutImage): rows top-down, each width pixels, 0x00RRGGBB as the frame
// images hold them (blue, green, red, zero in memory).
namespace saver {

// Rows of pixels in memory that a plan is drawn into: top-down, each width
// pixels, stride pixels from one row's start to the next.
struct PixelRows {
    std::uint32_t* pixels;
    int width;
    int height;
    std::size_t stride;
};

// The part of `area` (a client area, or an output in the virtual screen)
// that the plans draw, relative to `area`; empty when they miss it.
Rect ReachedArea(std::span<const BlitPlan> plans, const Rect& area);

// Draws one plan's part of the image into the rows, as FrameBuffer::Draw.
void DrawPlan(const weftcpplib::CDIBData& image, const BlitPlan& plan, const PixelRows& target);

class FrameBuffer {
public:
    FrameBuffer(int width, int height);

    // Draws one plan's part of the image as the window's blits would:
    // copies 1:1 or stretches (nearest pixel), clipped to the buffer.
    // Pixels the plan does not reach keep what they held.
    void Draw(const weftcpplib::CDIBData& image, const BlitPlan& plan);
    void Clear() { pixels_.assign(pixels_.size(), 0u); }

    int width() const { return width_; }
    int height() const { return height_; }
    const std::uint32_t* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }

private:
    int width_, height_;
    std::vector<std::uint32_t> pixels_;
};

} // namespace saver
