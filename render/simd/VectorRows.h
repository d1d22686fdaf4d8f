#pragma once
#include <cstdint>

namespace render::simd {
namespace {

// Calls body(x) for spans of L starting at x = first, first + L, ... and a
// last one ending at end - 1 that overlaps its predecessor when the range is
// not a multiple of L. Every span's result depends only on the filter's
// inputs, so an overlap is written twice with the same values.
// Needs end - first >= L.
template <std::uint32_t L, typename Body>
inline void ForEachSpan(std::uint32_t first, std::uint32_t end, Body&& body)
{
    const std::uint32_t last = end - L;
    for (std::uint32_t x = first; x < last; x += L)
        body(x);
    body(last);
}

} // namespace
} // namespace render::simd
