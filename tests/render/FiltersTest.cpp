#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

#include "FilterReferences.h"
#include "core/FillBorder.h"
#include "render/CellPalette.h"
#include "render/Filters.h"
#include "support/ScriptedRandom.h"
#include "weftcpplib/CDIBData.h"

using weftcpplib::CDIBData;
using weftcpplib::MakeImage;
using tessel_test::ReferenceBlur;
using tessel_test::ReferenceMedian;

namespace {

std::vector<std::uint32_t> PixelsOf(const CDIBData& image)
{
    return {image.Pixels(), image.Pixels() + image.Count()};
}

class FiltersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::copy(std::begin(render::CellPalette), std::end(render::CellPalette), saved_);
        for (std::uint32_t i = 0; i < 256; ++i)
            render::CellPalette[i] = 0x00100000u | i * 0x0101u;
    }
    void TearDown() override { std::copy(std::begin(saved_), std::end(saved_), render::CellPalette); }

    std::uint32_t saved_[256];
};

TEST_F(FiltersTest, MedianIsTheFifthOfNine)
{
    weftcpplib::weft2dmapper<short> grid(3, 3);
    grid.assign({{255, 0, 255}, {1, 255, 0}, {0, 255, 0}});
    auto image = MakeImage(3, 3);
    ASSERT_TRUE(render::MedianToImage(grid, *image, core::TILE_GRID));
    // A 3 x 3 torus: every border pixel repeats the single inner one.
    for (std::int32_t i = 0; i < 9; ++i)
        EXPECT_EQ(image->Pixels()[i], render::CellPalette[1]) << i;
}

TEST_F(FiltersTest, LoneLiveCellVanishes)
{
    weftcpplib::weft2dmapper<short> grid(5, 5);
    grid.at(2, 2) = 200;
    auto image = MakeImage(5, 5);
    image->Fill(0x00777777u);
    ASSERT_TRUE(render::MedianToImage(grid, *image, core::TILE_CENTER));
    for (std::int32_t r = 1; r < 4; ++r)
        for (std::int32_t c = 1; c < 4; ++c)
            EXPECT_EQ(image->Pixels()[r * 5 + c], render::CellPalette[0]);
    EXPECT_EQ(image->Pixels()[0], 0u); // black border in the single-picture modes
}

TEST_F(FiltersTest, MedianRefusesMismatchedSizes)
{
    weftcpplib::weft2dmapper<short> grid(6, 5);
    auto image = MakeImage(5, 6);
    image->Fill(7);
    EXPECT_FALSE(render::MedianToImage(grid, *image, core::TILE_GRID));
    EXPECT_EQ(image->Pixels()[8], 7u);
    // Images too small for an interior only get their border.
    weftcpplib::weft2dmapper<short> line(2, 4);
    line.fill(9);
    auto thin = MakeImage(2, 4);
    thin->Fill(7);
    EXPECT_TRUE(render::MedianToImage(line, *thin, 5));
    for (std::int32_t i = 0; i < 8; ++i)
        EXPECT_EQ(thin->Pixels()[i], 7u);
}

TEST_F(FiltersTest, MedianMatchesSortingReference)
{
    tessel_test::XorShiftRandom random(20240611);
    const std::uint32_t sizes[][2] = {{3, 3}, {4, 3}, {3, 8}, {10, 7}, {17, 12}, {66, 41}};
    for (const auto& size : sizes)
        for (std::uint16_t mode = 0; mode <= 5; ++mode) {
            const std::uint32_t w = size[0], h = size[1];
            weftcpplib::weft2dmapper<short> grid(w, h);
            // Sparse values make ties common, as in real fields.
            for (std::uint32_t i = 0; i < w * h; ++i)
                grid.data[i] = static_cast<short>(random.Next() % 3 == 0 ? random.Next() % 256 : 0);
            auto image = MakeImage(static_cast<std::int32_t>(w), static_cast<std::int32_t>(h));
            image->Fill(0x00ABCDEFu);
            std::vector<std::uint32_t> expected = PixelsOf(*image);
            ReferenceMedian(grid, expected, mode);
            ASSERT_TRUE(render::MedianToImage(grid, *image, mode));
            ASSERT_EQ(PixelsOf(*image), expected) << w << "x" << h << " mode " << mode;
        }
}

TEST_F(FiltersTest, BlurMatchesSummingReference)
{
    tessel_test::XorShiftRandom random(77);
    const std::uint32_t sizes[][2] = {{3, 3}, {5, 4}, {4, 9}, {16, 16}, {31, 18}, {2, 6}};
    for (const auto& size : sizes)
        for (std::uint16_t mode = 0; mode <= 5; ++mode) {
            const std::uint32_t w = size[0], h = size[1];
            auto image = MakeImage(static_cast<std::int32_t>(w), static_cast<std::int32_t>(h));
            for (std::int32_t i = 0; i < image->Count(); ++i)
                image->Pixels()[i] = random.Next(); // top byte set too: it must not leak
            std::vector<std::uint32_t> expected = PixelsOf(*image);
            ReferenceBlur(expected, w, h, mode);
            render::BoxBlur(*image, mode);
            ASSERT_EQ(PixelsOf(*image), expected) << w << "x" << h << " mode " << mode;
        }
}

TEST_F(FiltersTest, BlurRoundsDown)
{
    auto image = MakeImage(3, 3);
    image->Fill(0x00FF0809u);
    image->Pixels()[0] = 0x00FE0000u; // reds sum to 2294, greens 64, blues 72
    render::BoxBlur(*image, core::TILE_GRID);
    EXPECT_EQ(image->Pixels()[4], 0x00FE0708u);
}

TEST_F(FiltersTest, BlackBorderDarkensTheEdgeInSinglePictureModes)
{
    for (std::uint16_t mode : {core::TILE_CENTER, core::TILE_FIT}) {
        auto image = MakeImage(6, 6);
        image->Fill(0x00FFFFFFu);
        core::FillBorder(image->Pixels(), 6, 6, mode);
        render::BoxBlur(*image, mode);
        const std::uint32_t* p = image->Pixels();
        EXPECT_EQ(p[1 * 6 + 1], 0x00717171u); // 4 x 255 / 9 = 113
        EXPECT_EQ(p[1 * 6 + 2], 0x00AAAAAAu); // 6 x 255 / 9 = 170
        EXPECT_EQ(p[2 * 6 + 2], 0x00FFFFFFu);
        EXPECT_EQ(p[0], 0u);
        EXPECT_EQ(p[6 * 6 - 1], 0u);
    }
    // Tiled, the wrapped border keeps a uniform picture uniform.
    auto tiled = MakeImage(6, 6);
    tiled->Fill(0x00FFFFFFu);
    render::BoxBlur(*tiled, core::TILE_GRID);
    EXPECT_EQ(tiled->Pixels()[1 * 6 + 1], 0x00FFFFFFu);
}

} // namespace
