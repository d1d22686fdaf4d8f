#pragma once
#include <cstdint>

// Vector forms of one generation of the rule, for grids whose interior is at
// least as wide as the vector (kStepLanes*). Each writes the interior of
// `next` from `cells` exactly as the plain loop does and returns whether any
// new cell is live. `sums` holds three rows of w horizontal sums.
//
// They expect cells in 0..255, as the engine keeps them: the neighbour sums
// are formed in 16 bits.
namespace core::simd {

// The birth band as a range of the neighbours' sum S rather than of S / 8:
// p1 <= S >> 3 <= p2 exactly when 8 p1 <= S <= 8 p2 + 7. The kernels test
// it with one unsigned comparison, (S - sum_low) mod 2^16 <= sum_span, which
// is exact for every sum that 0..255 cells can give; an empty band gets a
// bound no such sum reaches.
struct StepBounds {
    std::int16_t sum_low;
    std::uint16_t sum_span;
    std::int16_t decay; // never negative: see VectorGeneration
};

StepBounds MakeStepBounds(std::int16_t p1, std::int16_t p2, std::int16_t p3);

#if defined(__i386__) || defined(__x86_64__)
#define TESSEL_X86_SIMD 1

constexpr std::uint32_t kStepLanesSse2 = 8;
constexpr std::uint32_t kStepLanesAvx2 = 16;
constexpr std::uint32_t kStepLanesAvx512 = 32;

bool StepGenerationSse2(const short* cells, short* next, std::uint32_t w, std::uint32_t h, const StepBounds& bounds,
                        std::int16_t* sums);
bool StepGenerationAvx2(const short* cells, short* next, std::uint32_t w, std::uint32_t h, const StepBounds& bounds,
                        std::int16_t* sums);
bool StepGenerationAvx512(const short* cells, short* next, std::uint32_t w, std::uint32_t h,
                          const StepBounds& bounds, std::int16_t* sums);
#endif

} // namespace core::simd
