#include "ui/ColorPreview.h"

namespace ui {
namespace {

constexpr std::int32_t kSideMargin = 48;
constexpr std::int32_t kEndMargin = 20;

} // namespace

PreviewRect GradientRect(std::int32_t width, std::int32_t height)
{
    return PreviewRect{kSideMargin, kEndMargin, width - kSideMargin, height - kEndMargin};
}

void DrawColorPreview(weftcpplib::CDIBData& image, const PreviewRect& gradient, const CellColorState& state)
{
    image.Fill(PreviewFillColor(state));
    const std::int32_t columns = gradient.right - gradient.left;
    if (columns <= 1)
        return;
    // Column 0 is left to the fill: the cell-0 colour shows only through it.
    const int n = columns - 1;
    for (int i = 1; i <= n; ++i) {
        const std::int32_t x = gradient.left + i;
        image.DrawLine(x, gradient.top, x, gradient.bottom, GradientColumnColor(state, i, n));
    }
}

} // namespace ui
