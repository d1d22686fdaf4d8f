#include "core/simd/StepKernels.h"

#ifdef TESSEL_X86_SIMD
#include <emmintrin.h>

#include "core/simd/StepLoop.h"

namespace core::simd {
namespace {

struct Sse2 {
    using Vec = __m128i;
    static constexpr std::uint32_t kLanes = kStepLanesSse2;

    static Vec Load(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
    static void Store(void* p, Vec v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }
    static Vec Add(Vec a, Vec b) { return _mm_add_epi16(a, b); }
    static Vec Or(Vec a, Vec b) { return _mm_or_si128(a, b); }
    static Vec Zero() { return _mm_setzero_si128(); }
    static bool AnyNonZero(Vec v) { return _mm_movemask_epi8(_mm_cmpeq_epi16(v, Zero())) != 0xFFFF; }

    struct Params {
        Vec low, span, decay;
        explicit Params(const StepBounds& b)
            : low(_mm_set1_epi16(b.sum_low)), span(_mm_set1_epi16(static_cast<short>(b.sum_span))),
              decay(_mm_set1_epi16(b.decay))
        {
        }
    };

    static Vec Next(Vec cell, Vec sum, const Params& p)
    {
        const Vec zero = Zero();
        // Zero exactly where the sum lies in the band.
        const Vec outside = _mm_subs_epu16(_mm_sub_epi16(sum, p.low), p.span);
        // 255 where a dead cell is born.
        const Vec born = _mm_srli_epi16(_mm_cmpeq_epi16(_mm_or_si128(outside, cell), zero), 8);
        // Cells are 0..255 and the decay is never negative, so an unsigned
        // saturating subtraction is exactly "v - decay, or 0 once it dies".
        const Vec decayed = _mm_subs_epu16(cell, p.decay);
        return _mm_or_si128(decayed, born);
    }
};

} // namespace

bool StepGenerationSse2(const short* cells, short* next, std::uint32_t w, std::uint32_t h, const StepBounds& bounds,
                        std::int16_t* sums)
{
    return StepGeneration<Sse2>(cells, next, w, h, bounds, sums);
}

} // namespace core::simd
#endif
