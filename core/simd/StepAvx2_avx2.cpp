#include "core/simd/StepKernels.h"

#ifdef TESSEL_X86_SIMD
#include <immintrin.h>

#include "core/simd/StepLoop.h"

namespace core::simd {
namespace {

struct Avx2 {
    using Vec = __m256i;
    static constexpr std::uint32_t kLanes = kStepLanesAvx2;

    static Vec Load(const void* p) { return _mm256_loadu_si256(static_cast<const __m256i*>(p)); }
    static void Store(void* p, Vec v) { _mm256_storeu_si256(static_cast<__m256i*>(p), v); }
    static Vec Add(Vec a, Vec b) { return _mm256_add_epi16(a, b); }
    static Vec Or(Vec a, Vec b) { return _mm256_or_si256(a, b); }
    static Vec Zero() { return _mm256_setzero_si256(); }
    static bool AnyNonZero(Vec v) { return !_mm256_testz_si256(v, v); }

    struct Params {
        Vec low, span, decay;
        explicit Params(const StepBounds& b)
            : low(_mm256_set1_epi16(b.sum_low)), span(_mm256_set1_epi16(static_cast<short>(b.sum_span))),
              decay(_mm256_set1_epi16(b.decay))
        {
        }
    };

    static Vec Next(Vec cell, Vec sum, const Params& p)
    {
        const Vec zero = Zero();
        // Zero exactly where the sum lies in the band.
        const Vec outside = _mm256_subs_epu16(_mm256_sub_epi16(sum, p.low), p.span);
        // 255 where a dead cell is born.
        const Vec born = _mm256_srli_epi16(_mm256_cmpeq_epi16(_mm256_or_si256(outside, cell), zero), 8);
        // Cells are 0..255 and the decay is never negative, so an unsigned
        // saturating subtraction is exactly "v - decay, or 0 once it dies".
        const Vec decayed = _mm256_subs_epu16(cell, p.decay);
        return _mm256_or_si256(decayed, born);
    }
};

} // namespace

bool StepGenerationAvx2(const short* cells, short* next, std::uint32_t w, std::uint32_t h, const StepBounds& bounds,
                        std::int16_t* sums)
{
    return StepGeneration<Avx2>(cells, next, w, h, bounds, sums);
}

} // namespace core::simd
#endif
