#pragma once
#include <cstddef>
#include <cstdint>

// Vector forms of the per-frame pixel work: the palette look-up of cells,
// the 3 x 3 median and the 3 x 3 box blur. Each writes exactly what the
// plain loop writes. A form needs rows (or a cell count) at least as wide as
// the span it handles at once (k*); the dispatcher (VectorFilters.h) checks.
namespace render::simd {

#if defined(__i386__) || defined(__x86_64__)
#define TESSEL_X86_SIMD 1

// Median of one interior row: `medians[c]` for c = 1 .. w - 2 from the three
// grid rows; `columns` holds 3 w cells of scratch.
constexpr std::uint32_t kMedianSpanSse2 = 8;
constexpr std::uint32_t kMedianSpanAvx2 = 16;
void MedianRowSse2(const short* above, const short* here, const short* below, short* medians, std::uint32_t w,
                   short* columns);
void MedianRowAvx2(const short* above, const short* here, const short* below, short* medians, std::uint32_t w,
                   short* columns);

// The same with the palette look-up folded in: pixels `out[c]` from the
// palette split into four byte planes of 256 (blue, green, red, fourth).
constexpr std::uint32_t kMedianSpanAvx512 = 64;
void MedianRowAvx512(const short* above, const short* here, const short* below, std::uint32_t* out,
                     std::uint32_t w, short* columns, const std::uint8_t* planes);

// Palette look-up of `count` cells through the byte planes.
constexpr std::size_t kColorSpanAvx512 = 64;
void ColorCellsAvx512(const short* cells, std::uint32_t* pixels, std::size_t count, const std::uint8_t* planes);

// Box blur of the interior of a w x h image in place; `sums` holds three rows
// of 4 w 16-bit channel sums.
constexpr std::uint32_t kBlurSpanSse2 = 4;
constexpr std::uint32_t kBlurSpanAvx2 = 8;
constexpr std::uint32_t kBlurSpanAvx512 = 16;
void BlurInteriorSse2(std::uint32_t* pixels, std::uint32_t w, std::uint32_t h, std::uint16_t* sums);
void BlurInteriorAvx2(std::uint32_t* pixels, std::uint32_t w, std::uint32_t h, std::uint16_t* sums);
void BlurInteriorAvx512(std::uint32_t* pixels, std::uint32_t w, std::uint32_t h, std::uint16_t* sums);
#endif

} // namespace render::simd
