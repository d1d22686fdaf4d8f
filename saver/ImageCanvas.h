#pragma once
#include <cstdint>
#include <memory>

#include "core/CAEngine.h"
#include "saver/FramePorts.h"
#include "weftcpplib/CDIBData.h"

// The frame loop's two images: the cell image (one coloured generation, the
// grid's size) and the screen image (the primary screen's size) into which
// the cell image is tiled. Both are replaced at every scene start.
namespace saver {

// Puts one image on the window as the plan says.
class FramePresenter {
public:
    virtual ~FramePresenter() = default;
    virtual void Show(const BlitPlan& plan, const weftcpplib::CDIBData& source) = 0;
};

class ImageCanvas final : public FrameCanvas {
public:
    ImageCanvas(const CAEngine& engine, FramePresenter& presenter) : engine_(engine), presenter_(presenter) {}

    void NewImages(int screen_width, int screen_height, int grid_width, int grid_height) override;
    void Render(std::uint16_t tilling, std::uint16_t proc) override;
    void Present(const BlitPlan& plan) override;

    const weftcpplib::CDIBData* screen_image() const { return screen_image_.get(); }
    const weftcpplib::CDIBData* cell_image() const { return cell_image_.get(); }

private:
    const CAEngine& engine_;
    FramePresenter& presenter_;
    std::unique_ptr<weftcpplib::CDIBData> screen_image_;
    std::unique_ptr<weftcpplib::CDIBData> cell_image_;
};

} // namespace saver
