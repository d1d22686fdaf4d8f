#include "render/simd/VectorFilters.h"

#include <array>
#include <memory>

#include "platform/CpuFeatures.h"
#include "render/CellPalette.h"
#include "render/simd/FilterKernels.h"

namespace render::simd {

#ifdef TESSEL_X86_SIMD
namespace {

using platform::SimdLevel;

// CellPalette as four planes of 256 bytes: blue, green, red, fourth byte.
std::array<std::uint8_t, 1024> PalettePlanes()
{
    std::array<std::uint8_t, 1024> planes{};
    for (std::size_t i = 0; i < 256; ++i)
        for (std::size_t k = 0; k < 4; ++k)
            planes[256 * k + i] = static_cast<std::uint8_t>(CellPalette[i] >> (8 * k));
    return planes;
}

using MedianRowKernel = void (*)(const short*, const short*, const short*, short*, std::uint32_t, short*);

MedianRowKernel PickMedianRow(SimdLevel level, std::uint32_t interior)
{
    if (level >= SimdLevel::Avx2 && interior >= kMedianSpanAvx2)
        return MedianRowAvx2;
    if (level >= SimdLevel::Sse2 && interior >= kMedianSpanSse2)
        return MedianRowSse2;
    return nullptr;
}

using BlurKernel = void (*)(std::uint32_t*, std::uint32_t, std::uint32_t, std::uint16_t*);

BlurKernel PickBlur(SimdLevel level, std::uint32_t interior)
{
    if (level >= SimdLevel::Avx512 && interior >= kBlurSpanAvx512)
        return BlurInteriorAvx512;
    if (level >= SimdLevel::Avx2 && interior >= kBlurSpanAvx2)
        return BlurInteriorAvx2;
    if (level >= SimdLevel::Sse2 && interior >= kBlurSpanSse2)
        return BlurInteriorSse2;
    return nullptr;
}

std::size_t Cells(std::uint32_t w, std::uint32_t rows) { return static_cast<std::size_t>(w) * rows; }

} // namespace
#endif

bool ColorCellsVector(const short* cells, std::uint32_t* pixels, std::size_t count)
{
#ifdef TESSEL_X86_SIMD
    // Without byte permutes the plain look-up is as fast as any vector form
    // (its loads, not its arithmetic, bound it); gathers measured slower.
    if (platform::ActiveSimdLevel() < SimdLevel::Avx512 || count < kColorSpanAvx512)
        return false;
    ColorCellsAvx512(cells, pixels, count, PalettePlanes().data());
    return true;
#else
    (void)cells, (void)pixels, (void)count;
    return false;
#endif
}

bool MedianInteriorVector(const short* grid, std::uint32_t* pixels, std::uint32_t w, std::uint32_t h)
{
#ifdef TESSEL_X86_SIMD
    if (w < 3 || h < 3)
        return false;
    const SimdLevel level = platform::ActiveSimdLevel();
    const std::uint32_t interior = w - 2;
    const auto columns = std::make_unique<short[]>(3 * static_cast<std::size_t>(w));
    if (level >= SimdLevel::Avx512 && interior >= kMedianSpanAvx512) {
        const auto planes = PalettePlanes();
        for (std::uint32_t r = 1; r + 1 < h; ++r) {
            const short* above = grid + Cells(w, r - 1);
            MedianRowAvx512(above, above + w, above + 2 * w, pixels + Cells(w, r), w, columns.get(), planes.data());
        }
        return true;
    }
    const MedianRowKernel kernel = PickMedianRow(level, interior);
    if (kernel == nullptr)
        return false;
    const auto medians = std::make_unique<short[]>(w);
    for (std::uint32_t r = 1; r + 1 < h; ++r) {
        const short* above = grid + Cells(w, r - 1);
        kernel(above, above + w, above + 2 * w, medians.get(), w, columns.get());
        std::uint32_t* out = pixels + Cells(w, r);
        for (std::uint32_t c = 1; c + 1 < w; ++c)
            out[c] = CellPalette[static_cast<std::uint8_t>(medians[c])];
    }
    return true;
#else
    (void)grid, (void)pixels, (void)w, (void)h;
    return false;
#endif
}

bool BlurInteriorVector(std::uint32_t* pixels, std::uint32_t w, std::uint32_t h)
{
#ifdef TESSEL_X86_SIMD
    if (w < 3 || h < 3)
        return false;
    const BlurKernel kernel = PickBlur(platform::ActiveSimdLevel(), w - 2);
    if (kernel == nullptr)
        return false;
    const auto sums = std::make_unique<std::uint16_t[]>(12 * static_cast<std::size_t>(w));
    kernel(pixels, w, h, sums.get());
    return true;
#else
    (void)pixels, (void)w, (void)h;
    return false;
#endif
}

} // namespace render::simd
