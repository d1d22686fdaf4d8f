#pragma once
#include <cstddef>
#include <cstdint>

#include "render/simd/VectorRows.h"

// The median network shared by the vector forms, instantiated by each
// instruction-set file with its own operations (Vec, kLanes, Load, Store,
// Min, Max). Cells compare as signed 16-bit numbers, as in the plain loop.
namespace render::simd {
namespace {

// The columns of three cells of a row sorted into lo, mid and hi, for every
// column 0 .. w - 1; each serves the three pixels that see it.
template <typename Isa>
inline void SortColumns(const short* above, const short* here, const short* below, short* columns, std::uint32_t w)
{
    short* lo = columns;
    short* mid = columns + w;
    short* hi = columns + 2 * static_cast<std::size_t>(w);
    ForEachSpan<Isa::kLanes>(0, w, [&](std::uint32_t x) {
        auto a = Isa::Load(above + x), b = Isa::Load(here + x), c = Isa::Load(below + x);
        const auto ab_lo = Isa::Min(a, b), ab_hi = Isa::Max(a, b);
        const auto top = Isa::Max(ab_hi, c);
        const auto rest = Isa::Min(ab_hi, c);
        Isa::Store(lo + x, Isa::Min(ab_lo, rest));
        Isa::Store(mid + x, Isa::Max(ab_lo, rest));
        Isa::Store(hi + x, top);
    });
}

template <typename Isa, typename Vec>
inline Vec Median3(Vec a, Vec b, Vec c)
{
    return Isa::Max(Isa::Min(a, b), Isa::Min(Isa::Max(a, b), c));
}

// With each column sorted, the median of the nine cells is the median of the
// largest low, the middle mid and the smallest high of the three columns.
template <typename Isa>
inline typename Isa::Vec MedianAt(const short* columns, std::uint32_t w, std::uint32_t x)
{
    const short* lo = columns + x;
    const short* mid = lo + w;
    const short* hi = mid + w;
    const auto low = Isa::Max(Isa::Max(Isa::Load(lo - 1), Isa::Load(lo)), Isa::Load(lo + 1));
    const auto middle = Median3<Isa>(Isa::Load(mid - 1), Isa::Load(mid), Isa::Load(mid + 1));
    const auto high = Isa::Min(Isa::Min(Isa::Load(hi - 1), Isa::Load(hi)), Isa::Load(hi + 1));
    return Median3<Isa>(low, middle, high);
}

template <typename Isa>
void MedianRow(const short* above, const short* here, const short* below, short* medians, std::uint32_t w,
               short* columns)
{
    SortColumns<Isa>(above, here, below, columns, w);
    ForEachSpan<Isa::kLanes>(1, w - 1, [&](std::uint32_t x) { Isa::Store(medians + x, MedianAt<Isa>(columns, w, x)); });
}

} // namespace
} // namespace render::simd
