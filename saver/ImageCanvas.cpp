#include "saver/ImageCanvas.h"

#include <cstddef>

#include "render/CellColouring.h"
#include "render/Filters.h"

namespace saver {

void ImageCanvas::NewImages(int screen_width, int screen_height, int grid_width, int grid_height)
{
    screen_image_ = weftcpplib::MakeImage(screen_width, screen_height);
    cell_image_ = weftcpplib::MakeImage(grid_width, grid_height);
}

void ImageCanvas::Render(std::uint16_t tilling, std::uint16_t proc)
{
    if (!cell_image_ || !screen_image_)
        return;
    const auto& grid = engine_.current;
    // The engine's grid and the cell image share size and row order; a
    // mismatch would mean the scene start went wrong, and nothing is drawn.
    const std::size_t cells = static_cast<std::size_t>(grid.cols) * grid.rows;
    if (cells != static_cast<std::size_t>(cell_image_->Count()))
        return;
    ColourCells(grid.data, cell_image_->Pixels(), cells);
    if (proc & PROC_NOISE)
        MedianToImage(grid, *cell_image_, tilling);
    if (proc & PROC_BLUR)
        BoxBlur(*cell_image_, tilling);
    screen_image_->Tiling(*cell_image_, cell_image_->Width() - 2, cell_image_->Height() - 2, tilling);
}

void ImageCanvas::Present(const BlitPlan& plan)
{
    const weftcpplib::CDIBData* source = plan.from_cell_image ? cell_image_.get() : screen_image_.get();
    if (plan.kind == BlitKind::None || !source)
        return;
    presenter_.Show(plan, *source);
}

} // namespace saver
