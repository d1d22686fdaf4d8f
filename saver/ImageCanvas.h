#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "core/CAEngine.h"
#include "saver/BlitPlan.h"
#include "saver/FrameSeams.h"
#include "saver/FrontEnd.h"
#include "saver/MonitorLayout.h"
#include "weftcpplib/CDIBData.h"

// The frame loop's images: the cell image (one coloured generation, the
// grid's size) and the screen images (the primary screen's size, and one per
// other monitor size) into which the cell image is tiled. All are replaced
// at every scene start. A screen image is tiled only when it is asked for:
// a front end may take the tiles straight into its own memory instead
// (FrameImage).
namespace saver {

class ImageCanvas final : public FrameCanvas {
public:
    ImageCanvas(const core::CAEngine& engine, FramePresenter& presenter) : engine_(engine), presenter_(presenter) {}

    void NewImages(int screen_width, int screen_height, int grid_width, int grid_height) override;
    void SetScreenSizes(const std::vector<Size>& sizes) override;
    void Render(std::uint16_t tilling, std::uint16_t proc) override;
    // One screen: the plan's image at one place.
    void Present(const BlitPlan& plan) override;
    // Several monitors: each image goes to the presenter once, with every
    // place it is shown.
    void PresentMonitors(const std::vector<BlitPlan>& plans) override;

    // The primary screen's image, tiled from the last rendered cells.
    const weftcpplib::CDIBData* screen_image() const { return screen_image(0); }
    const weftcpplib::CDIBData* screen_image(int index) const;
    int screen_image_count() const { return static_cast<int>(screen_images_.size()); }
    const weftcpplib::CDIBData* cell_image() const { return cell_image_.get(); }

private:
    void MakeScreenImages();
    const weftcpplib::CDIBData* SourceOf(const BlitPlan& plan) const;
    FrameImage FrameOf(const BlitPlan& plan) const;

    const core::CAEngine& engine_;
    FramePresenter& presenter_;
    std::vector<Size> sizes_;
    std::vector<std::unique_ptr<weftcpplib::CDIBData>> screen_images_;
    // Whether each screen image holds the last rendered frame.
    std::unique_ptr<bool[]> tiled_;
    std::uint16_t tilling_ = 0;
    std::unique_ptr<weftcpplib::CDIBData> cell_image_;
    std::vector<BlitPlan> same_source_; // reused by PresentMonitors
};

} // namespace saver
