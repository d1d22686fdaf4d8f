#include "render/simd/FilterKernels.h"

#ifdef TESSEL_X86_SIMD
#include "render/simd/PaletteLookup512.h"

namespace render::simd {

void ColorCellsAvx512(const short* cells, std::uint32_t* pixels, std::size_t count, const std::uint8_t* planes)
{
    const PalettePlanes palette(planes);
    auto colour = [&](std::size_t i) {
        palette.Lookup(IndexBytes(_mm512_loadu_si512(cells + i), _mm512_loadu_si512(cells + i + 32)), pixels + i);
    };
    // The last span overlaps its predecessor; it writes the same pixels again.
    const std::size_t last = count - kColorSpanAvx512;
    for (std::size_t i = 0; i < last; i += kColorSpanAvx512)
        colour(i);
    colour(last);
}

} // namespace render::simd
#endif
