#pragma once
#include <cstddef>
#include <cstdint>

// The per-frame pixel work by the widest vector form that the active SIMD
// level allows and the image is wide enough for. Each returns false, having
// touched nothing, when no vector form applies; the plain loop runs then.
// Borders are left to the callers, as in the plain loops.
namespace render::simd {

// pixels[i] = CellPalette[low byte of cells[i]] for i < count.
bool ColorCellsVector(const short* cells, std::uint32_t* pixels, std::size_t count);

// The median-coloured interior of a w x h image from a grid of the same size.
bool MedianInteriorVector(const short* grid, std::uint32_t* pixels, std::uint32_t w, std::uint32_t h);

// The box-blurred interior of a w x h image, in place.
bool BlurInteriorVector(std::uint32_t* pixels, std::uint32_t w, std::uint32_t h);

} // namespace render::simd
