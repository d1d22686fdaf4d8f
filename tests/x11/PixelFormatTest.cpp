#include <gtest/gtest.h>

#include "saver/x11/PixelFormat.h"

namespace saver::x11 {
namespace {

TEST(X11PixelFormat, TheUsualVisualTakesFramePixelsAsTheyAre)
{
    const PixelConverter rgb(0xFF0000, 0xFF00, 0xFF);
    EXPECT_TRUE(rgb.IsIdentity());
    EXPECT_EQ(rgb.Convert(0x123456), 0x123456u);
    // The unused top byte of a frame pixel never reaches the visual.
    EXPECT_EQ(rgb.Convert(0xFF123456), 0x123456u);
}

TEST(X11PixelFormat, SwappedMasksSwapTheComponents)
{
    const PixelConverter bgr(0xFF, 0xFF00, 0xFF0000);
    EXPECT_FALSE(bgr.IsIdentity());
    EXPECT_EQ(bgr.Convert(0x123456), 0x563412u);
}

TEST(X11PixelFormat, NarrowChannelsKeepTheHighBits)
{
    const PixelConverter rgb565(0xF800, 0x07E0, 0x001F);
    EXPECT_EQ(rgb565.Convert(0xFFFFFF), 0xFFFFu);
    EXPECT_EQ(rgb565.Convert(0xFF0000), 0xF800u);
    EXPECT_EQ(rgb565.Convert(0x00FF00), 0x07E0u);
    EXPECT_EQ(rgb565.Convert(0x0000FF), 0x001Fu);
    EXPECT_EQ(rgb565.Convert(0x080400), (1u << 11) | (1u << 5));
    EXPECT_EQ(rgb565.Convert(0x070300), 0u);
}

TEST(X11PixelFormat, WideChannelsReachTheirFullScale)
{
    const PixelConverter rgb30(0x3FF00000, 0xFFC00, 0x3FF);
    EXPECT_EQ(rgb30.Convert(0xFFFFFF), 0x3FFFFFFFu);
    EXPECT_EQ(rgb30.Convert(0x000000), 0u);
    EXPECT_EQ(rgb30.Convert(0x000080), 0x202u); // 0x80 -> 0x200 | 0x80 >> 6
}

TEST(X11PixelFormat, MasksAreDescribedByPlaceAndWidth)
{
    EXPECT_EQ(DescribeMask(0xF800).shift, 11);
    EXPECT_EQ(DescribeMask(0xF800).bits, 5);
    EXPECT_EQ(DescribeMask(0).bits, 0);
}

} // namespace
} // namespace saver::x11
