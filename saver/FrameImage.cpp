#include "saver/FrameImage.h"

#include "render/Tiling.h"

namespace saver {
namespace {

// The cell image's inner block (past its one-pixel border) is the tile.
int TileWidth(const weftcpplib::CDIBData& cells) { return cells.Width() - 2; }
int TileHeight(const weftcpplib::CDIBData& cells) { return cells.Height() - 2; }

} // namespace

const weftcpplib::CDIBData& FrameImage::Image() const
{
    if (screen_ && !*tiled_) {
        render::Tiling(*screen_, *cells_, TileWidth(*cells_), TileHeight(*cells_), tilling_);
        *tiled_ = true;
    }
    return *image_;
}

bool FrameImage::TilesStraightInto(const BlitPlan& plan, const PixelRows& rows) const
{
    const Rect& d = plan.dest;
    const int w = Width(), h = Height();
    return screen_ && plan.kind == BlitKind::Copy && !plan.from_cell_image && plan.source == Rect{0, 0, w, h} &&
           d.width == w && d.height == h && d.x >= 0 && d.y >= 0 && d.x + w <= rows.width &&
           d.y + h <= rows.height && render::TilesCoverAll(tilling_, TileWidth(*cells_), TileHeight(*cells_));
}

void FrameImage::Draw(const BlitPlan& plan, const PixelRows& rows) const
{
    if (!TilesStraightInto(plan, rows)) {
        DrawPlan(Image(), plan, rows);
        return;
    }
    // The image's bottom storage row is the rows' last one of the plan's
    // place: the rows run top-down.
    const auto stride = static_cast<std::ptrdiff_t>(rows.stride);
    std::uint32_t* bottom = rows.pixels + (plan.dest.y + Height() - 1) * stride + plan.dest.x;
    render::Tiling(weftcpplib::ImageRows{bottom, Width(), Height(), -stride}, *cells_, TileWidth(*cells_),
                   TileHeight(*cells_), tilling_);
}

} // namespace saver
