#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "core/CAEngine.h"
#include "core/FillBorder.h"
#include "core/simd/VectorStep.h"

namespace core {

namespace {

// The rule parameters widened once per generation.
struct Rule {
    std::int32_t band_low;
    std::int32_t band_high;
    std::int32_t decay;
};

// out[x] = row[x - 1] + row[x] + row[x + 1] for x = 1 .. w - 2.
// At most 3 x 255, so 16 bits suffice.
void HorizontalSums(const short* row, std::uint16_t* out, std::uint32_t w)
{
    const short* left = row;
    std::uint16_t* sum = out + 1;
    std::uint16_t* const end = out + (w - 1);
    for (; sum != end; ++sum, ++left)
        *sum = static_cast<std::uint16_t>(left[0] + left[1] + left[2]);
}

// One interior row: from the cells of the row and the horizontal sums of the
// rows above, at and below it. Returns whether any new cell is live.
bool StepRow(const short* cells, const std::uint16_t* above, const std::uint16_t* middle,
             const std::uint16_t* below, short* out, std::uint32_t w, const Rule& rule)
{
    int any = 0;
    const short* cell = cells + 1;
    const short* const end = cells + (w - 1);
    const std::uint16_t* up = above + 1;
    const std::uint16_t* mid = middle + 1;
    const std::uint16_t* down = below + 1;
    short* dst = out + 1;
    for (; cell != end; ++cell, ++up, ++mid, ++down, ++dst) {
        // Both outcomes are formed and one is picked, so that the loop has
        // no data-dependent branch for the mix of live and dead cells.
        const std::int32_t v = *cell;
        // For a dead cell the centre adds 0: the 3 x 3 sum is the neighbours' sum.
        const std::int32_t mean = (*up + *mid + *down) >> 3;
        const std::int32_t born = ((rule.band_low <= mean) & (mean <= rule.band_high)) ? 255 : 0;
        // A negative decay (a damaged data file) must not lift a cell past 255.
        const std::int32_t decayed = std::min(v > rule.decay ? v - rule.decay : 0, 255);
        const std::int32_t next = v != 0 ? decayed : born;
        *dst = static_cast<short>(next);
        any |= next;
    }
    return any != 0;
}

// Writes the interior of the next generation into `next`; the border ring of
// `cells` supplies the neighbours of the outermost interior cells.
bool ComputeGeneration(const short* cells, short* next, std::uint32_t w, std::uint32_t h, const Rule& rule)
{
    if (w < 3 || h < 3)
        return false;
    // Three rolling rows of horizontal sums: each row's sums are formed once
    // and serve the three output rows that see it.
    const auto buffer = std::make_unique<std::uint16_t[]>(3 * static_cast<std::size_t>(w));
    std::uint16_t* above = buffer.get();
    std::uint16_t* middle = above + w;
    std::uint16_t* below = middle + w;
    HorizontalSums(cells, above, w);
    HorizontalSums(cells + w, middle, w);

    bool any = false;
    for (std::uint32_t y = 1; y + 1 < h; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * w;
        HorizontalSums(cells + row + w, below, w);
        any |= StepRow(cells + row, above, middle, below, next + row, w, rule);
        std::uint16_t* const spent = above;
        above = middle;
        middle = below;
        below = spent;
    }
    return any;
}

} // namespace

void CAEngine::Step()
{
    std::lock_guard<std::mutex> guard(lock);
    const auto w = static_cast<std::uint32_t>(width);
    const auto h = static_cast<std::uint32_t>(height);
    // The vector forms give the same generation; this loop is their fallback.
    const std::optional<bool> vector_alive = core::simd::VectorGeneration(current.data, work.data, w, h, param);
    if (vector_alive) {
        alive = *vector_alive;
    } else {
        const Rule rule{param[0], param[1], param[2]};
        alive = ComputeGeneration(current.data, work.data, w, h, rule);
    }
    core::FillBorder(work.data, w, h, tilling);
    Publish();
}

} // namespace core
