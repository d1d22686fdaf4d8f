#pragma once
#include <cstdint>

#include "ui/CellColorState.h"
#include "weftcpplib/CDIBData.h"

namespace ui {

struct PreviewRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

// The part of a preview of the given size that carries the gradient; the
// margins around it show the background, where the end labels sit.
PreviewRect GradientRect(std::int32_t width, std::int32_t height);

// The background (or the cell-0 colour) over the whole image with the
// gradient from cell 0 to cell 255 drawn over it as vertical lines.
void DrawColorPreview(weftcpplib::CDIBData& image, const PreviewRect& gradient, const CellColorState& state);

} // namespace ui
