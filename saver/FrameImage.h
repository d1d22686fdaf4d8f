#pragma once
#include "saver/BlitPlan.h"
#include "saver/FrameBuffer.h"
#include "weftcpplib/CDIBData.h"

// One distinct picture of a frame as a presenter gets it. A screen image is
// the cell image tiled to a screen's size; the tiling is done when the image
// is first asked for (Image), or straight into a front end's memory (Draw),
// which then never needs the image in between: at 1920x1080 that is one
// whole pass over 8 MB less per frame.
namespace saver {

class FrameImage {
public:
    // A picture that is there already (the cell image, or an image made by
    // someone else).
    explicit FrameImage(const weftcpplib::CDIBData& image) : image_(&image) {}
    // A screen image tiled from the cell image when needed; `tiled` says
    // whether it holds this frame's picture, and is set when it is made.
    FrameImage(weftcpplib::CDIBData& screen, const weftcpplib::CDIBData& cells, std::uint16_t tilling, bool& tiled)
        : image_(&screen), screen_(&screen), cells_(&cells), tilling_(tilling), tiled_(&tiled)
    {
    }

    // The whole picture.
    const weftcpplib::CDIBData& Image() const;
    int Width() const { return image_->Width(); }
    int Height() const { return image_->Height(); }

    // Draws the plan's part as DrawPlan(Image(), plan, rows) would. A 1:1
    // copy of the whole screen image that lies within the rows is tiled
    // straight into them when the tiles cover every pixel.
    void Draw(const BlitPlan& plan, const PixelRows& rows) const;

private:
    bool TilesStraightInto(const BlitPlan& plan, const PixelRows& rows) const;

    const weftcpplib::CDIBData* image_;
    weftcpplib::CDIBData* screen_ = nullptr;
    const weftcpplib::CDIBData* cells_ = nullptr;
    std::uint16_t tilling_ = 0;
    bool* tiled_ = nullptr;
};

} // namespace saver
