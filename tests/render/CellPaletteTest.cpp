#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "render/CellColoring.h"
#include "render/CellPalette.h"

namespace {

std::uint32_t Max3(std::uint32_t p)
{
    return std::max({p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF});
}

TEST(HsvToPixel, PrimaryCornersAndWrap)
{
    EXPECT_EQ(render::HsvToPixel(0, 255, 255), 0x00FF0000u);
    EXPECT_EQ(render::HsvToPixel(255, 255, 255), 0x00FFFF00u);
    EXPECT_EQ(render::HsvToPixel(510, 255, 255), 0x0000FF00u);
    EXPECT_EQ(render::HsvToPixel(765, 255, 255), 0x0000FFFFu);
    EXPECT_EQ(render::HsvToPixel(1020, 255, 255), 0x000000FFu);
    EXPECT_EQ(render::HsvToPixel(1275, 255, 255), 0x00FF00FFu);
    EXPECT_EQ(render::HsvToPixel(1530, 255, 255), render::HsvToPixel(0, 255, 255));
    EXPECT_EQ(render::HsvToPixel(1530 * 3 + 128, 255, 255), render::HsvToPixel(128, 255, 255));
    EXPECT_EQ(render::HsvToPixel(128, 255, 255), 0x00FF8000u);
    EXPECT_EQ(render::HsvToPixel(1529, 255, 255), 0x00FF0001u); // last step from magenta back to red
}

TEST(HsvToPixel, SaturationIsAnAmountCappedByValue)
{
    for (std::uint32_t hue : {0u, 300u, 1000u, 1529u})
        EXPECT_EQ(render::HsvToPixel(hue, 0, 200), 0x00C8C8C8u) << hue;
    EXPECT_EQ(render::HsvToPixel(700, 255, 100), render::HsvToPixel(700, 100, 100));
    EXPECT_EQ(render::HsvToPixel(0, 40, 100), 0x00643C3Cu); // smallest component 100 - 40
}

TEST(PixelConversions, InvertHsvToPixel)
{
    for (std::uint32_t hue = 0; hue < 1530; ++hue)
        ASSERT_EQ(render::PixelHue(render::HsvToPixel(hue, 255, 255)), hue % 1530) << hue;
    for (std::uint32_t value : {1u, 90u, 255u})
        for (std::uint32_t sat = 0; sat <= value; sat += 7) {
            const std::uint32_t p = render::HsvToPixel(1111, sat, value);
            EXPECT_EQ(render::PixelChroma(p), sat);
            EXPECT_EQ(Max3(p), value);
        }
}

TEST(PixelConversions, SectorsAndGreys)
{
    EXPECT_EQ(render::PixelHue(0x000000FFu), 1020u);
    EXPECT_EQ(render::PixelHue(0x00FF00FFu), 1275u);
    EXPECT_EQ(render::PixelHue(0x00808080u), 0u);
    EXPECT_EQ(render::PixelChroma(0x00808080u), 0u);
    EXPECT_EQ(render::PixelHueSector(0x00808080u), 6);
    EXPECT_EQ(render::PixelHueSector(0x00000000u), 6);
    EXPECT_EQ(render::PixelHueSector(0x00FF8000u), 0);
    EXPECT_EQ(render::PixelHueSector(0x00FFFF00u), 1); // r = g > b
    EXPECT_EQ(render::PixelHueSector(0x0000FF80u), 2);
    EXPECT_EQ(render::PixelHueSector(0x000080FFu), 3);
    EXPECT_EQ(render::PixelHueSector(0x004040FFu), 4); // r = g < b
    EXPECT_EQ(render::PixelHueSector(0x00FF0080u), 5);
    EXPECT_EQ(render::PixelChroma(0x00FF10C0u), 0xEFu);
    // The top byte is no colour.
    EXPECT_EQ(render::PixelHue(0xAB0000FFu), 1020u);
}

class PaletteTest : public ::testing::Test {
protected:
    void SetUp() override { std::copy(std::begin(render::CellPalette), std::end(render::CellPalette), saved_); }
    void TearDown() override { std::copy(std::begin(saved_), std::end(saved_), render::CellPalette); }
    std::uint32_t saved_[256];
};

TEST_F(PaletteTest, HueWalksTheWholeCircleForwards)
{
    render::BuildPalette(0, 255, 255, 1530, 255, 255, -1);
    EXPECT_EQ(render::CellPalette[0], 0x00FF0000u);
    EXPECT_EQ(render::CellPalette[255], render::CellPalette[0]);
    EXPECT_EQ(render::CellPalette[1], render::HsvToPixel(6, 255, 255));
    EXPECT_EQ(render::PixelHue(render::CellPalette[128]), 128u * 1530 / 255);
}

TEST_F(PaletteTest, HueWalksBackwardsAndWrapsBelowZero)
{
    render::BuildPalette(1000, 255, 255, 0, 255, 255, -1);
    EXPECT_EQ(render::PixelHue(render::CellPalette[1]), 997u); // trunc(-1000 / 255) = -3
    EXPECT_EQ(render::PixelHue(render::CellPalette[255]), 0u);

    render::BuildPalette(100, 255, 255, -200, 255, 255, -1);
    EXPECT_EQ(render::PixelHue(render::CellPalette[255]), 1330u); // -200 + 1530
}

TEST_F(PaletteTest, SaturationAndValueWrapModulo256)
{
    render::BuildPalette(0, 0, 0, 0, 0, 510, -1);
    // v at 255 is 510 mod 256 = 254; at 128 it is 256 mod 256 = 0.
    EXPECT_EQ(render::CellPalette[255], 0x00FEFEFEu);
    EXPECT_EQ(render::CellPalette[128], 0x00000000u);
    render::BuildPalette(0, 0, -1, 0, 0, -1, -1);
    EXPECT_EQ(render::CellPalette[7], 0x00FFFFFFu); // -1 becomes 255
}

TEST_F(PaletteTest, DeathColorOverridesEntryZeroOnly)
{
    render::BuildPalette(0, 255, 255, 1020, 255, 255, -1);
    const std::uint32_t computed = render::CellPalette[0];
    const std::uint32_t second = render::CellPalette[1];
    EXPECT_EQ(computed, 0x00FF0000u);
    render::BuildPalette(0, 255, 255, 1020, 255, 255, 0);
    EXPECT_EQ(render::CellPalette[0], 0u);
    render::BuildPalette(0, 255, 255, 1020, 255, 255, static_cast<std::int32_t>(0xFF123456u));
    EXPECT_EQ(render::CellPalette[0], 0xFF123456u);
    EXPECT_EQ(render::CellPalette[1], second);
}

TEST_F(PaletteTest, ColorCellsLooksUpEveryCell)
{
    for (int i = 0; i < 256; ++i)
        render::CellPalette[i] = 0x00A00000u + static_cast<std::uint32_t>(i);
    const short cells[] = {0, 1, 255, 128, 300, -1};
    std::uint32_t pixels[std::size(cells) + 1];
    pixels[std::size(cells)] = 0xDEADu;
    render::ColorCells(cells, pixels, std::size(cells));
    EXPECT_EQ(pixels[0], 0x00A00000u);
    EXPECT_EQ(pixels[1], 0x00A00001u);
    EXPECT_EQ(pixels[2], 0x00A000FFu);
    EXPECT_EQ(pixels[3], 0x00A00080u);
    // Out-of-range cells stay inside the table.
    EXPECT_EQ(pixels[4], 0x00A0002Cu);
    EXPECT_EQ(pixels[5], 0x00A000FFu);
    EXPECT_EQ(pixels[6], 0xDEADu);
}

} // namespace
