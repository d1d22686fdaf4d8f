#include "core/simd/StepKernels.h"

#ifdef TESSEL_X86_SIMD
#include <immintrin.h>

#include "core/simd/StepLoop.h"

namespace core::simd {
namespace {

struct Avx512 {
    using Vec = __m512i;
    static constexpr std::uint32_t kLanes = kStepLanesAvx512;

    static Vec Load(const void* p) { return _mm512_loadu_si512(p); }
    static void Store(void* p, Vec v) { _mm512_storeu_si512(p, v); }
    static Vec Add(Vec a, Vec b) { return _mm512_add_epi16(a, b); }
    static Vec Or(Vec a, Vec b) { return _mm512_or_si512(a, b); }
    static Vec Zero() { return _mm512_setzero_si512(); }
    static bool AnyNonZero(Vec v) { return _mm512_test_epi16_mask(v, v) != 0; }

    struct Params {
        Vec low, span, decay, top;
        explicit Params(const StepBounds& b)
            : low(_mm512_set1_epi16(b.sum_low)), span(_mm512_set1_epi16(static_cast<short>(b.sum_span))),
              decay(_mm512_set1_epi16(b.decay)), top(_mm512_set1_epi16(255))
        {
        }
    };

    static Vec Next(Vec cell, Vec sum, const Params& p)
    {
        const Vec zero = Zero();
        const __mmask32 dead = _mm512_cmpeq_epi16_mask(cell, zero);
        const __mmask32 born = _mm512_mask_cmple_epu16_mask(dead, _mm512_sub_epi16(sum, p.low), p.span);
        // Cells are 0..255 and the decay is never negative, so an unsigned
        // saturating subtraction is exactly "v - decay, or 0 once it dies".
        const Vec decayed = _mm512_subs_epu16(cell, p.decay);
        return _mm512_mask_mov_epi16(decayed, born, p.top);
    }
};

} // namespace

bool StepGenerationAvx512(const short* cells, short* next, std::uint32_t w, std::uint32_t h,
                          const StepBounds& bounds, std::int16_t* sums)
{
    return StepGeneration<Avx512>(cells, next, w, h, bounds, sums);
}

} // namespace core::simd
#endif
