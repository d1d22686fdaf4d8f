#include "render/simd/FilterKernels.h"

#ifdef TESSEL_X86_SIMD
#include <emmintrin.h>

#include "render/simd/BlurLoop.h"

namespace render::simd {
namespace {

inline __m128i Load(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
inline void Store(void* p, __m128i v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }

struct Sse2 {
    static constexpr std::uint32_t kPixels = kBlurSpanSse2;

    static void Sums(const std::uint32_t* px, std::uint16_t* out)
    {
        const __m128i zero = _mm_setzero_si128();
        const __m128i left = Load(px - 1), centre = Load(px), right = Load(px + 1);
        const __m128i lo = _mm_add_epi16(_mm_add_epi16(_mm_unpacklo_epi8(left, zero), _mm_unpacklo_epi8(centre, zero)),
                                         _mm_unpacklo_epi8(right, zero));
        const __m128i hi = _mm_add_epi16(_mm_add_epi16(_mm_unpackhi_epi8(left, zero), _mm_unpackhi_epi8(centre, zero)),
                                         _mm_unpackhi_epi8(right, zero));
        Store(out, lo);
        Store(out + 8, hi);
    }

    static void Means(const std::uint16_t* above, const std::uint16_t* middle, const std::uint16_t* below,
                      std::uint32_t* out)
    {
        const __m128i ninth = _mm_set1_epi16(kNinth);
        const __m128i lo = _mm_add_epi16(_mm_add_epi16(Load(above), Load(middle)), Load(below));
        const __m128i hi = _mm_add_epi16(_mm_add_epi16(Load(above + 8), Load(middle + 8)), Load(below + 8));
        const __m128i packed = _mm_packus_epi16(_mm_mulhi_epu16(lo, ninth), _mm_mulhi_epu16(hi, ninth));
        Store(out, _mm_and_si128(packed, _mm_set1_epi32(0x00FFFFFF)));
    }
};

} // namespace

void BlurInteriorSse2(std::uint32_t* pixels, std::uint32_t w, std::uint32_t h, std::uint16_t* sums)
{
    BlurInterior<Sse2>(pixels, w, h, sums);
}

} // namespace render::simd
#endif
