#include "render/simd/FilterKernels.h"

#ifdef TESSEL_X86_SIMD
#include "render/simd/Intrinsics512.h"

#include "render/simd/BlurLoop.h"

namespace render::simd {
namespace {

// Eight pixels widened to 16-bit channels, in pixel order.
inline __m512i Widen(const std::uint32_t* px)
{
    return _mm512_cvtepu8_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(px)));
}

struct Avx512 {
    static constexpr std::uint32_t kPixels = kBlurSpanAvx512;

    static void Sums(const std::uint32_t* px, std::uint16_t* out)
    {
        for (int half = 0; half < 2; ++half) {
            const std::uint32_t* p = px + 8 * half;
            const __m512i sum = _mm512_add_epi16(_mm512_add_epi16(Widen(p - 1), Widen(p)), Widen(p + 1));
            _mm512_storeu_si512(out + 32 * half, sum);
        }
    }

    static void Means(const std::uint16_t* above, const std::uint16_t* middle, const std::uint16_t* below,
                      std::uint32_t* out)
    {
        const __m512i ninth = _mm512_set1_epi16(kNinth);
        __m256i half[2];
        for (int i = 0; i < 2; ++i) {
            const int at = 32 * i;
            const __m512i sum = _mm512_add_epi16(
                _mm512_add_epi16(_mm512_loadu_si512(above + at), _mm512_loadu_si512(middle + at)),
                _mm512_loadu_si512(below + at));
            // The means fit in a byte; the fourth channel's is dropped below.
            half[i] = _mm512_cvtepi16_epi8(_mm512_mulhi_epu16(sum, ninth));
        }
        const __m512i packed = _mm512_inserti64x4(_mm512_castsi256_si512(half[0]), half[1], 1);
        _mm512_storeu_si512(out, _mm512_and_si512(packed, _mm512_set1_epi32(0x00FFFFFF)));
    }
};

} // namespace

void BlurInteriorAvx512(std::uint32_t* pixels, std::uint32_t w, std::uint32_t h, std::uint16_t* sums)
{
    BlurInterior<Avx512>(pixels, w, h, sums);
}

} // namespace render::simd
#endif
