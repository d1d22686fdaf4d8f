#pragma once
#include <cstdint>
#include "render/simd/Intrinsics512.h"

// Palette look-up of 64 cells at once with byte permutes: the 256 entries are
// held as four byte planes (blue, green, red, fourth byte), each four
// registers of 64 bytes. Only for files compiled for AVX-512 VBMI.
namespace render::simd {
namespace {

class PalettePlanes {
public:
    explicit PalettePlanes(const std::uint8_t* planes)
    {
        for (int k = 0; k < 4; ++k)
            for (int j = 0; j < 4; ++j)
                table_[k][j] = _mm512_loadu_si512(planes + 256 * k + 64 * j);
    }

    // Pixels of 64 palette indices (bytes), in order, into out[0..63].
    void Lookup(__m512i index, std::uint32_t* out) const
    {
        // The low seven bits pick within a half of the table, the top bit the half.
        const __mmask64 upper = _mm512_movepi8_mask(index);
        __m512i plane[4];
        for (int k = 0; k < 4; ++k) {
            const __m512i lower = _mm512_permutex2var_epi8(table_[k][0], index, table_[k][1]);
            const __m512i higher = _mm512_permutex2var_epi8(table_[k][2], index, table_[k][3]);
            plane[k] = _mm512_mask_blend_epi8(upper, lower, higher);
        }
        // Interleave the planes into pixels; unpacking works within 128-bit
        // lanes, so quarter q of each result holds pixels 16 q + 4 i ...
        const __m512i bg_lo = _mm512_unpacklo_epi8(plane[0], plane[1]);
        const __m512i bg_hi = _mm512_unpackhi_epi8(plane[0], plane[1]);
        const __m512i rx_lo = _mm512_unpacklo_epi8(plane[2], plane[3]);
        const __m512i rx_hi = _mm512_unpackhi_epi8(plane[2], plane[3]);
        const __m512i p0 = _mm512_unpacklo_epi16(bg_lo, rx_lo); // pixels 16 q + 0..3
        const __m512i p1 = _mm512_unpackhi_epi16(bg_lo, rx_lo); // 16 q + 4..7
        const __m512i p2 = _mm512_unpacklo_epi16(bg_hi, rx_hi); // 16 q + 8..11
        const __m512i p3 = _mm512_unpackhi_epi16(bg_hi, rx_hi); // 16 q + 12..15
        // ... and 128-bit shuffles put the quarters in pixel order.
        const __m512i a01 = _mm512_shuffle_i64x2(p0, p1, 0x44);
        const __m512i a23 = _mm512_shuffle_i64x2(p2, p3, 0x44);
        const __m512i b01 = _mm512_shuffle_i64x2(p0, p1, 0xEE);
        const __m512i b23 = _mm512_shuffle_i64x2(p2, p3, 0xEE);
        _mm512_storeu_si512(out, _mm512_shuffle_i64x2(a01, a23, 0x88));
        _mm512_storeu_si512(out + 16, _mm512_shuffle_i64x2(a01, a23, 0xDD));
        _mm512_storeu_si512(out + 32, _mm512_shuffle_i64x2(b01, b23, 0x88));
        _mm512_storeu_si512(out + 48, _mm512_shuffle_i64x2(b01, b23, 0xDD));
    }

private:
    __m512i table_[4][4];
};

// The low bytes of 64 cells (their palette indices, as the plain loop takes them).
inline __m512i IndexBytes(__m512i first32, __m512i next32)
{
    return _mm512_inserti64x4(_mm512_castsi256_si512(_mm512_cvtepi16_epi8(first32)), _mm512_cvtepi16_epi8(next32),
                              1);
}

} // namespace
} // namespace render::simd
