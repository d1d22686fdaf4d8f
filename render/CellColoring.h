#pragma once
#include <cstddef>
#include <cstdint>

namespace render {

// Colours `count` cells through CellPalette into as many pixels, border ring
// included. Only the low byte of a cell indexes the palette, so a stray value
// can never read outside it.
void ColorCells(const short* cells, std::uint32_t* pixels, std::size_t count);

} // namespace render
