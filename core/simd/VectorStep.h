#pragma once
#include <cstdint>
#include <optional>

namespace core::simd {

// One generation by the widest vector form that the active SIMD level allows
// and the interior width holds: the interior of `next` and whether any new
// cell is live. Empty when no vector form applies; the plain loop runs then.
std::optional<bool> VectorGeneration(const short* cells, short* next, std::uint32_t w, std::uint32_t h,
                                     const std::int16_t param[3]);

} // namespace core::simd
