#include "saver/BlitPlan.h"

#include "core/TilingMode.h"

namespace saver {
namespace {

BlitPlan FitPlan(const BlitInput& in)
{
    BlitPlan plan;
    plan.kind = BlitKind::FitStretch;
    plan.from_cell_image = true;
    plan.set_halftone = true;
    plan.source = {1, 1, in.cell_width - 2, in.cell_height - 2};
    // The primary screen's size from the origin, whatever the window's size.
    plan.dest = {0, 0, in.screen_width, in.screen_height};
    return plan;
}

BlitPlan PreviewPlan(const BlitInput& in)
{
    BlitPlan plan;
    if (in.screen_width <= 0)
        return plan;
    // The destination grows with the square of the display's scale factor,
    // computed in single precision like the rest of the preview geometry.
    const float dpi = static_cast<float>(in.dpi_x);
    const float scale = dpi * dpi / 96.0f / 96.0f;
    const int strip_height = (in.screen_height * kPreviewStripWidth) / in.screen_width;
    plan.kind = BlitKind::PreviewStretch;
    plan.source = {(in.screen_width - kPreviewStripWidth) / 2, (in.screen_height - strip_height) / 2,
                   kPreviewStripWidth, strip_height};
    plan.dest = {0, 0, static_cast<int>(static_cast<float>(in.client_width) * scale),
                 static_cast<int>(static_cast<float>(in.client_height) * scale)};
    return plan;
}

} // namespace

BlitPlan ChooseBlit(const BlitInput& in)
{
    if (in.tilling == core::TILE_FIT)
        return FitPlan(in);
    if (in.client_width < kPreviewStripWidth)
        return PreviewPlan(in);

    BlitPlan plan;
    const Rect whole{0, 0, in.screen_width, in.screen_height};
    plan.source = whole;
    if (in.client_width < in.screen_width) {
        plan.kind = BlitKind::WindowStretch;
        plan.dest = {0, 0, in.client_width, in.client_height};
    } else {
        plan.kind = BlitKind::Copy;
        plan.dest = whole;
    }
    return plan;
}

} // namespace saver
