#include "render/simd/FilterKernels.h"

#ifdef TESSEL_X86_SIMD
#include <emmintrin.h>

#include "render/simd/MedianLoop.h"

namespace render::simd {
namespace {

struct Sse2 {
    using Vec = __m128i;
    static constexpr std::uint32_t kLanes = kMedianSpanSse2;
    static Vec Load(const short* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
    static void Store(short* p, Vec v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
    static Vec Min(Vec a, Vec b) { return _mm_min_epi16(a, b); }
    static Vec Max(Vec a, Vec b) { return _mm_max_epi16(a, b); }
};

} // namespace

void MedianRowSse2(const short* above, const short* here, const short* below, short* medians, std::uint32_t w,
                   short* columns)
{
    MedianRow<Sse2>(above, here, below, medians, w, columns);
}

} // namespace render::simd
#endif
