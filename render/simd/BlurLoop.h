#pragma once
#include <cstddef>
#include <cstdint>

#include "render/simd/VectorRows.h"

// The rolling-sum loop shared by the vector forms of the box blur. Each
// instruction-set file supplies kPixels and two operations on that many
// pixels: Sums (the three-pixel horizontal sums of each channel, as four
// 16-bit lanes per pixel) and Means (three rows of sums to pixels, each
// channel divided by 9 and rounded down, the fourth byte 0).
namespace render::simd {
namespace {

// floor(s / 9) == (s * 7282) >> 16 for every s below 32768; nine bytes sum
// to at most 2295.
constexpr short kNinth = 7282;

template <typename Isa>
void BlurInterior(std::uint32_t* pixels, std::uint32_t w, std::uint32_t h, std::uint16_t* sums)
{
    const std::size_t stride = 4 * static_cast<std::size_t>(w);
    std::uint16_t* above = sums;
    std::uint16_t* middle = sums + stride;
    std::uint16_t* below = sums + 2 * stride;
    auto row = [&](std::uint32_t r) { return pixels + static_cast<std::size_t>(r) * w; };
    auto take = [&](const std::uint32_t* source, std::uint16_t* out) {
        ForEachSpan<Isa::kPixels>(1, w - 1, [&](std::uint32_t x) { Isa::Sums(source + x, out + 4 * x); });
    };
    take(row(0), above);
    take(row(1), middle);
    for (std::uint32_t r = 1; r + 1 < h; ++r) {
        // Row r + 1 is still as it was; rows r - 1 and r live on in their sums.
        const std::uint32_t* source = row(r + 1);
        std::uint32_t* out = row(r);
        ForEachSpan<Isa::kPixels>(1, w - 1, [&](std::uint32_t x) {
            const std::size_t at = 4 * static_cast<std::size_t>(x);
            Isa::Sums(source + x, below + at);
            Isa::Means(above + at, middle + at, below + at, out + x);
        });
        std::uint16_t* const spent = above;
        above = middle;
        middle = below;
        below = spent;
    }
}

} // namespace
} // namespace render::simd
