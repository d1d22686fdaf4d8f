#pragma once
#include <cstddef>
#include <cstdint>

#include "core/simd/StepKernels.h"

// The loop shared by the vector forms of a generation; each instruction-set
// file instantiates it with its own vector operations, so that nothing here
// is compiled for a wider unit than the file that uses it.
//
// Isa provides: Vec, kLanes, Load, Store, Add, Or, Zero, AnyNonZero, a Params
// type built from StepBounds, and Next(cell, neighbour sum, params).
namespace core::simd {
namespace {

// Calls body(x) for vectors starting at x = 1, 1 + L, ... and a last one
// ending at w - 2, overlapping its predecessor when the interior is not a
// multiple of L; the results are pure functions of the inputs, so writing
// an overlap twice writes the same values. Needs w - 2 >= L.
template <std::uint32_t L, typename Body>
inline void ForEachVector(std::uint32_t w, Body&& body)
{
    const std::uint32_t last = w - 1 - L;
    for (std::uint32_t x = 1; x < last; x += L)
        body(x);
    body(last);
}

template <typename Isa>
inline void HorizontalSums(const short* row, std::int16_t* out, std::uint32_t w)
{
    ForEachVector<Isa::kLanes>(w, [&](std::uint32_t x) {
        Isa::Store(out + x, Isa::Add(Isa::Add(Isa::Load(row + x - 1), Isa::Load(row + x)), Isa::Load(row + x + 1)));
    });
}

template <typename Isa>
bool StepGeneration(const short* cells, short* next, std::uint32_t w, std::uint32_t h, const StepBounds& bounds,
                    std::int16_t* sums)
{
    using Vec = typename Isa::Vec;
    const typename Isa::Params params(bounds);
    // Rolling horizontal sums of the rows above, at and below the output row:
    // each row's sums are formed once, in the pass that first needs them.
    std::int16_t* above = sums;
    std::int16_t* middle = sums + w;
    std::int16_t* below = sums + 2 * static_cast<std::size_t>(w);
    HorizontalSums<Isa>(cells, above, w);
    HorizontalSums<Isa>(cells + w, middle, w);

    Vec any = Isa::Zero();
    for (std::uint32_t y = 1; y + 1 < h; ++y) {
        const short* here = cells + static_cast<std::size_t>(y) * w;
        const short* down = here + w;
        short* out = next + static_cast<std::size_t>(y) * w;
        ForEachVector<Isa::kLanes>(w, [&](std::uint32_t x) {
            const Vec down_sum =
                Isa::Add(Isa::Add(Isa::Load(down + x - 1), Isa::Load(down + x)), Isa::Load(down + x + 1));
            Isa::Store(below + x, down_sum);
            const Vec sum = Isa::Add(Isa::Add(Isa::Load(above + x), Isa::Load(middle + x)), down_sum);
            const Vec cell = Isa::Next(Isa::Load(here + x), sum, params);
            Isa::Store(out + x, cell);
            any = Isa::Or(any, cell);
        });
        std::int16_t* const spent = above;
        above = middle;
        middle = below;
        below = spent;
    }
    return Isa::AnyNonZero(any);
}

} // namespace
} // namespace core::simd
