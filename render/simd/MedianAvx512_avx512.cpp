#include "render/simd/FilterKernels.h"

#ifdef TESSEL_X86_SIMD
#include "render/simd/MedianLoop.h"
#include "render/simd/PaletteLookup512.h"

namespace render::simd {
namespace {

struct Avx512 {
    using Vec = __m512i;
    static constexpr std::uint32_t kLanes = 32;
    static Vec Load(const short* p) { return _mm512_loadu_si512(p); }
    static void Store(short* p, Vec v) { _mm512_storeu_si512(p, v); }
    static Vec Min(Vec a, Vec b) { return _mm512_min_epi16(a, b); }
    static Vec Max(Vec a, Vec b) { return _mm512_max_epi16(a, b); }
};

} // namespace

void MedianRowAvx512(const short* above, const short* here, const short* below, std::uint32_t* out,
                     std::uint32_t w, short* columns, const std::uint8_t* planes)
{
    const PalettePlanes palette(planes);
    SortColumns<Avx512>(above, here, below, columns, w);
    ForEachSpan<kMedianSpanAvx512>(1, w - 1, [&](std::uint32_t x) {
        const __m512i first = MedianAt<Avx512>(columns, w, x);
        const __m512i next = MedianAt<Avx512>(columns, w, x + Avx512::kLanes);
        palette.Lookup(IndexBytes(first, next), out + x);
    });
}

} // namespace render::simd
#endif
