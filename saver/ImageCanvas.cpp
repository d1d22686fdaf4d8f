#include "saver/ImageCanvas.h"

#include <algorithm>
#include <cstddef>

#include "config/SceneData.h"
#include "render/CellColoring.h"
#include "render/Filters.h"
#include "render/Tiling.h"

namespace saver {

void ImageCanvas::NewImages(int screen_width, int screen_height, int grid_width, int grid_height)
{
    const Size primary{screen_width, screen_height};
    if (sizes_.empty())
        sizes_.push_back(primary);
    else
        sizes_.front() = primary;
    // Made into locals first: if one allocation fails, the old images stay.
    auto cells = weftcpplib::MakeImage(grid_width, grid_height);
    MakeScreenImages();
    cell_image_ = std::move(cells);
}

void ImageCanvas::SetScreenSizes(const std::vector<Size>& sizes)
{
    sizes_ = sizes;
    if (cell_image_)
        MakeScreenImages();
}

void ImageCanvas::MakeScreenImages()
{
    std::vector<std::unique_ptr<weftcpplib::CDIBData>> images;
    images.reserve(sizes_.size());
    for (const Size& size : sizes_)
        images.push_back(weftcpplib::MakeImage(size.width, size.height));
    // Black until the next frame is rendered, as made.
    auto tiled = std::make_unique<bool[]>(sizes_.size());
    std::fill_n(tiled.get(), sizes_.size(), true);
    screen_images_ = std::move(images);
    tiled_ = std::move(tiled);
}

const weftcpplib::CDIBData* ImageCanvas::screen_image(int index) const
{
    if (index < 0 || index >= static_cast<int>(screen_images_.size()))
        return nullptr;
    if (!cell_image_)
        return screen_images_[static_cast<std::size_t>(index)].get();
    return &FrameOf({BlitKind::Copy, false, index}).Image();
}

void ImageCanvas::Render(std::uint16_t tilling, std::uint16_t proc)
{
    if (!cell_image_ || screen_images_.empty())
        return;
    const auto& grid = engine_.current;
    // The engine's grid and the cell image share size and row order; a
    // mismatch would mean the scene start went wrong, and nothing is drawn.
    const std::size_t cells = static_cast<std::size_t>(grid.cols) * grid.rows;
    if (cells != static_cast<std::size_t>(cell_image_->Count()))
        return;
    render::ColorCells(grid.data, cell_image_->Pixels(), cells);
    if (proc & config::PROC_NOISE)
        render::MedianToImage(grid, *cell_image_, tilling);
    if (proc & config::PROC_BLUR)
        render::BoxBlur(*cell_image_, tilling);
    // The screen images are tiled when presented (FrameImage).
    tilling_ = tilling;
    std::fill_n(tiled_.get(), screen_images_.size(), false);
}

const weftcpplib::CDIBData* ImageCanvas::SourceOf(const BlitPlan& plan) const
{
    if (plan.from_cell_image)
        return cell_image_.get();
    if (plan.screen_image < 0 || plan.screen_image >= static_cast<int>(screen_images_.size()))
        return nullptr;
    return screen_images_[static_cast<std::size_t>(plan.screen_image)].get();
}

// Only for a plan whose source exists.
FrameImage ImageCanvas::FrameOf(const BlitPlan& plan) const
{
    if (plan.from_cell_image)
        return FrameImage(*cell_image_);
    const auto index = static_cast<std::size_t>(plan.screen_image);
    return FrameImage(*screen_images_[index], *cell_image_, tilling_, tiled_[index]);
}

void ImageCanvas::Present(const BlitPlan& plan)
{
    const weftcpplib::CDIBData* source = SourceOf(plan);
    if (plan.kind == BlitKind::None || !source)
        return;
    presenter_.PresentFrame(FrameOf(plan), std::span<const BlitPlan>(&plan, 1));
}

void ImageCanvas::PresentMonitors(const std::vector<BlitPlan>& plans)
{
    std::vector<bool> done(plans.size(), false);
    for (std::size_t i = 0; i < plans.size(); ++i) {
        if (done[i])
            continue;
        const weftcpplib::CDIBData* source = SourceOf(plans[i]);
        same_source_.clear();
        for (std::size_t j = i; j < plans.size(); ++j) {
            if (!done[j] && SourceOf(plans[j]) == source) {
                done[j] = true;
                if (plans[j].kind != BlitKind::None)
                    same_source_.push_back(plans[j]);
            }
        }
        if (source && !same_source_.empty())
            presenter_.PresentFrame(FrameOf(same_source_.front()), same_source_);
    }
}

} // namespace saver
