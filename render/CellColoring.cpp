#include "render/CellColoring.h"

#include "render/CellPalette.h"
#include "render/simd/VectorFilters.h"

namespace render {

void ColorCells(const short* cells, std::uint32_t* pixels, std::size_t count)
{
    if (render::simd::ColorCellsVector(cells, pixels, count))
        return;
    const std::uint32_t* palette = CellPalette;
    const short* end = cells + count;
    while (cells != end)
        *pixels++ = palette[static_cast<std::uint8_t>(*cells++)];
}

} // namespace render
