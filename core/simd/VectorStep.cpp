#include "core/simd/VectorStep.h"

#include <algorithm>
#include <cstddef>
#include <memory>

#include "core/simd/StepKernels.h"
#include "platform/CpuFeatures.h"

namespace core::simd {

namespace {

std::int16_t Clamp16(std::int32_t v)
{
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(v, INT16_MIN, INT16_MAX));
}

#ifdef TESSEL_X86_SIMD
using Kernel = bool (*)(const short*, short*, std::uint32_t, std::uint32_t, const StepBounds&, std::int16_t*);

// The widest form allowed whose vector fits in the interior of a row.
Kernel PickKernel(platform::SimdLevel level, std::uint32_t interior)
{
    using platform::SimdLevel;
    if (level >= SimdLevel::Avx512 && interior >= kStepLanesAvx512)
        return StepGenerationAvx512;
    if (level >= SimdLevel::Avx2 && interior >= kStepLanesAvx2)
        return StepGenerationAvx2;
    if (level >= SimdLevel::Sse2 && interior >= kStepLanesSse2)
        return StepGenerationSse2;
    return nullptr;
}
#endif

} // namespace

StepBounds MakeStepBounds(std::int16_t p1, std::int16_t p2, std::int16_t p3)
{
    const std::int16_t low = Clamp16(8 * std::int32_t{p1});
    const std::int16_t high = Clamp16(8 * std::int32_t{p2} + 7);
    if (low > high)
        return {INT16_MAX, 0, p3};
    return {low, static_cast<std::uint16_t>(high - low), p3};
}

std::optional<bool> VectorGeneration(const short* cells, short* next, std::uint32_t w, std::uint32_t h,
                                     const std::int16_t param[3])
{
#ifdef TESSEL_X86_SIMD
    // A negative decay (only from a damaged data file) would make dead cells
    // grow in the vector forms' arithmetic; the plain loop takes that case.
    if (w < 3 || h < 3 || param[2] < 0)
        return std::nullopt;
    const Kernel kernel = PickKernel(platform::ActiveSimdLevel(), w - 2);
    if (kernel == nullptr)
        return std::nullopt;
    const auto sums = std::make_unique<std::int16_t[]>(3 * static_cast<std::size_t>(w));
    return kernel(cells, next, w, h, MakeStepBounds(param[0], param[1], param[2]), sums.get());
#else
    (void)cells, (void)next, (void)w, (void)h, (void)param;
    return std::nullopt;
#endif
}

} // namespace core::simd
