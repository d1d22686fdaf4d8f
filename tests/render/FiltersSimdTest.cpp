#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

#include "FilterReferences.h"
#include "platform/CpuFeatures.h"
#include "render/CellColoring.h"
#include "render/CellPalette.h"
#include "render/Filters.h"
#include "support/ScriptedRandom.h"
#include "support/SimdLevels.h"
#include "weftcpplib/CDIBData.h"

using platform::SimdLevel;
using tessel_test::ScopedSimdLevel;
using weftcpplib::MakeImage;

namespace {

std::vector<std::uint32_t> PixelsOf(const weftcpplib::CDIBData& image)
{
    return {image.Pixels(), image.Pixels() + image.Count()};
}

// Widths around each vector form's span (8, 16, 32 and 64 pixels or cells),
// with heights from a single interior row upwards.
struct Size {
    std::uint32_t w, h;
};
const Size kSizes[] = {{3, 5}, {10, 3}, {37, 9}, {66, 4}, {67, 7}, {130, 12}, {803, 6}};

class FiltersSimdTest : public ::testing::Test {
protected:
    // Every byte of every entry distinct, the fourth byte included (entry 0
    // may carry one from death_color), so that a look-up from the wrong entry
    // or plane shows.
    void SetUp() override
    {
        std::copy(std::begin(render::CellPalette), std::end(render::CellPalette), saved_);
        for (std::uint32_t i = 0; i < 256; ++i)
            render::CellPalette[i] = (255 - i) << 24 | ((i * 7 + 3) & 0xFF) << 16 | ((i * 13 + 5) & 0xFF) << 8 | i;
    }
    void TearDown() override { std::copy(std::begin(saved_), std::end(saved_), render::CellPalette); }

    std::uint32_t saved_[256];
};

} // namespace

TEST_F(FiltersSimdTest, ColoringMatchesThePaletteAtEveryLevel)
{
    tessel_test::XorShiftRandom random(99);
    // Stray values outside 0..255 use their low byte, like the plain loop.
    std::vector<short> cells(803 * 7 + 1);
    for (short& cell : cells)
        cell = static_cast<short>(random.Next() % 5 == 0 ? random.Next() : random.Next() % 256);
    for (std::size_t count : {std::size_t{1}, std::size_t{63}, std::size_t{64}, std::size_t{65}, std::size_t{130},
                              cells.size()}) {
        for (SimdLevel level : tessel_test::SupportedSimdLevels()) {
            const ScopedSimdLevel scoped(level);
            std::vector<std::uint32_t> pixels(count + 1, 0xDEADBEEFu);
            render::ColorCells(cells.data(), pixels.data(), count);
            for (std::size_t i = 0; i < count; ++i)
                ASSERT_EQ(pixels[i], render::CellPalette[static_cast<std::uint8_t>(cells[i])])
                    << platform::SimdLevelName(level) << " count " << count << " cell " << i;
            EXPECT_EQ(pixels[count], 0xDEADBEEFu) << "written past the end";
        }
    }
}

TEST_F(FiltersSimdTest, MedianMatchesTheSortingReferenceAtEveryLevel)
{
    tessel_test::XorShiftRandom random(31337);
    for (const Size& size : kSizes) {
        const std::uint32_t w = size.w, h = size.h;
        weftcpplib::weft2dmapper<short> grid(w, h);
        // Mostly dead with few distinct values, so ties are common; some
        // stray values compare as signed numbers and index by their low byte.
        for (std::uint32_t i = 0; i < w * h; ++i) {
            const std::uint32_t r = random.Next();
            grid.data[i] = static_cast<short>(r % 3 == 0 ? (r >> 8) % 256 : r % 17 == 1 ? r >> 16 : (r >> 4) % 2);
        }
        for (std::uint16_t mode = 0; mode <= 5; ++mode) {
            auto start = MakeImage(static_cast<std::int32_t>(w), static_cast<std::int32_t>(h));
            start->Fill(0x00ABCDEFu);
            std::vector<std::uint32_t> expected = PixelsOf(*start);
            tessel_test::ReferenceMedian(grid, expected, mode);
            for (SimdLevel level : tessel_test::SupportedSimdLevels()) {
                const ScopedSimdLevel scoped(level);
                auto image = MakeImage(static_cast<std::int32_t>(w), static_cast<std::int32_t>(h));
                image->Fill(0x00ABCDEFu);
                ASSERT_TRUE(render::MedianToImage(grid, *image, mode));
                ASSERT_EQ(PixelsOf(*image), expected)
                    << platform::SimdLevelName(level) << " " << w << "x" << h << " mode " << mode;
            }
        }
    }
}

TEST_F(FiltersSimdTest, BlurMatchesTheSummingReferenceAtEveryLevel)
{
    tessel_test::XorShiftRandom random(2718);
    for (const Size& size : kSizes) {
        const std::uint32_t w = size.w, h = size.h;
        std::vector<std::uint32_t> source(std::size_t{w} * h);
        for (std::uint32_t& pixel : source)
            pixel = random.Next(); // the fourth byte too: it must not leak into the result
        for (std::uint16_t mode = 0; mode <= 5; ++mode) {
            std::vector<std::uint32_t> expected = source;
            tessel_test::ReferenceBlur(expected, w, h, mode);
            for (SimdLevel level : tessel_test::SupportedSimdLevels()) {
                const ScopedSimdLevel scoped(level);
                auto image = MakeImage(static_cast<std::int32_t>(w), static_cast<std::int32_t>(h));
                std::copy(source.begin(), source.end(), image->Pixels());
                render::BoxBlur(*image, mode);
                ASSERT_EQ(PixelsOf(*image), expected)
                    << platform::SimdLevelName(level) << " " << w << "x" << h << " mode " << mode;
            }
        }
    }
}

// Every channel sum from 0 to 2295 once: 3 x 3 blocks of one byte a with one
// pixel b in the corner sum to 8 a + b, and each block's centre sees exactly
// its block. The division by 9 must round down at every one of them.
TEST_F(FiltersSimdTest, BlurDividesEverySumExactly)
{
    const std::uint32_t blocks_x = 256, blocks_y = 8;
    const std::uint32_t w = 3 * blocks_x, h = 3 * blocks_y;
    std::vector<std::uint32_t> source(std::size_t{w} * h);
    for (std::uint32_t by = 0; by < blocks_y; ++by)
        for (std::uint32_t bx = 0; bx < blocks_x; ++bx)
            for (std::uint32_t y = 0; y < 3; ++y)
                for (std::uint32_t x = 0; x < 3; ++x) {
                    const std::uint32_t a = bx, b = x == 0 && y == 0 ? by : a;
                    // Blue and red run the sums upwards and downwards; green is fixed.
                    source[std::size_t{3 * by + y} * w + 3 * bx + x] = (255 - b) << 16 | 0x80u << 8 | b;
                }
    for (SimdLevel level : tessel_test::SupportedSimdLevels()) {
        const ScopedSimdLevel scoped(level);
        auto image = MakeImage(static_cast<std::int32_t>(w), static_cast<std::int32_t>(h));
        std::copy(source.begin(), source.end(), image->Pixels());
        render::BoxBlur(*image, core::TILE_GRID);
        for (std::uint32_t by = 0; by < blocks_y; ++by)
            for (std::uint32_t bx = 0; bx < blocks_x; ++bx) {
                const std::uint32_t sum = 8 * bx + by;
                const std::uint32_t want = (2295 - sum) / 9 << 16 | 0x80u << 8 | sum / 9;
                ASSERT_EQ(image->Pixels()[std::size_t{3 * by + 1} * w + 3 * bx + 1], want)
                    << platform::SimdLevelName(level) << " sum " << sum;
            }
    }
}
