#include "render/simd/FilterKernels.h"

#ifdef TESSEL_X86_SIMD
#include <immintrin.h>

#include "render/simd/BlurLoop.h"

namespace render::simd {
namespace {

inline __m256i Load(const void* p) { return _mm256_loadu_si256(static_cast<const __m256i*>(p)); }
inline void Store(void* p, __m256i v) { _mm256_storeu_si256(static_cast<__m256i*>(p), v); }
// Four pixels widened to 16-bit channels, in pixel order.
inline __m256i Widen(const std::uint32_t* px)
{
    return _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(px)));
}

struct Avx2 {
    static constexpr std::uint32_t kPixels = kBlurSpanAvx2;

    static void Sums(const std::uint32_t* px, std::uint16_t* out)
    {
        for (int half = 0; half < 2; ++half) {
            const std::uint32_t* p = px + 4 * half;
            Store(out + 16 * half, _mm256_add_epi16(_mm256_add_epi16(Widen(p - 1), Widen(p)), Widen(p + 1)));
        }
    }

    static void Means(const std::uint16_t* above, const std::uint16_t* middle, const std::uint16_t* below,
                      std::uint32_t* out)
    {
        const __m256i ninth = _mm256_set1_epi16(kNinth);
        const __m256i first = _mm256_add_epi16(_mm256_add_epi16(Load(above), Load(middle)), Load(below));
        const __m256i second =
            _mm256_add_epi16(_mm256_add_epi16(Load(above + 16), Load(middle + 16)), Load(below + 16));
        // Packing works within 128-bit lanes; the permute restores pixel order.
        const __m256i packed = _mm256_permute4x64_epi64(
            _mm256_packus_epi16(_mm256_mulhi_epu16(first, ninth), _mm256_mulhi_epu16(second, ninth)), 0xD8);
        Store(out, _mm256_and_si256(packed, _mm256_set1_epi32(0x00FFFFFF)));
    }
};

} // namespace

void BlurInteriorAvx2(std::uint32_t* pixels, std::uint32_t w, std::uint32_t h, std::uint16_t* sums)
{
    BlurInterior<Avx2>(pixels, w, h, sums);
}

} // namespace render::simd
#endif
