#include "render/simd/FilterKernels.h"

#ifdef TESSEL_X86_SIMD
#include <immintrin.h>

#include "render/simd/MedianLoop.h"

namespace render::simd {
namespace {

struct Avx2 {
    using Vec = __m256i;
    static constexpr std::uint32_t kLanes = kMedianSpanAvx2;
    static Vec Load(const short* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
    static void Store(short* p, Vec v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
    static Vec Min(Vec a, Vec b) { return _mm256_min_epi16(a, b); }
    static Vec Max(Vec a, Vec b) { return _mm256_max_epi16(a, b); }
};

} // namespace

void MedianRowAvx2(const short* above, const short* here, const short* below, short* medians, std::uint32_t w,
                   short* columns)
{
    MedianRow<Avx2>(above, here, below, medians, w, columns);
}

} // namespace render::simd
#endif
