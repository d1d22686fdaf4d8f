#include "render/CellColouring.h"

#include "render/CellPalette.h"

void ColourCells(const short* cells, std::uint32_t* pixels, std::size_t count)
{
    const std::uint32_t* palette = CellPalette;
    const short* end = cells + count;
    while (cells != end)
        *pixels++ = palette[static_cast<std::uint8_t>(*cells++)];
}
