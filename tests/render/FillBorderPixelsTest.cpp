#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/FillBorder.h"

namespace {

// A w x h image whose pixel (r, c) holds r * 1000 + c + 1, so each pixel
// names where it came from; the border starts as a marker.
struct Image {
    std::uint32_t w, h;
    std::vector<std::uint32_t> p;

    Image(std::uint32_t width, std::uint32_t height) : w(width), h(height), p(width * height)
    {
        for (std::uint32_t r = 0; r < h; ++r)
            for (std::uint32_t c = 0; c < w; ++c)
                at(r, c) = (r == 0 || c == 0 || r == h - 1 || c == w - 1) ? 0xEEEEEEu : Name(r, c);
    }
    static std::uint32_t Name(std::uint32_t r, std::uint32_t c) { return r * 1000 + c + 1; }
    std::uint32_t& at(std::uint32_t r, std::uint32_t c) { return p[r * w + c]; }
    void Fill(std::uint16_t mode) { core::FillBorder(p.data(), w, h, mode); }
};

TEST(FillBorderPixels, SinglePictureModesBlackenOnlyTheBorder)
{
    for (std::uint16_t mode : {core::TILE_CENTER, core::TILE_FIT}) {
        Image image(5, 4);
        image.Fill(mode);
        for (std::uint32_t r = 0; r < 4; ++r)
            for (std::uint32_t c = 0; c < 5; ++c) {
                const bool border = r == 0 || c == 0 || r == 3 || c == 4;
                EXPECT_EQ(image.at(r, c), border ? 0u : Image::Name(r, c)) << r << "," << c;
            }
    }
}

TEST(FillBorderPixels, TorusTakesOppositeEdgesAndCorners)
{
    Image image(4, 4);
    image.Fill(core::TILE_GRID);
    EXPECT_EQ(image.at(0, 0), Image::Name(2, 2));
    EXPECT_EQ(image.at(3, 3), Image::Name(1, 1));
    EXPECT_EQ(image.at(0, 3), Image::Name(2, 1));
    EXPECT_EQ(image.at(1, 0), Image::Name(1, 2));
    EXPECT_EQ(image.at(2, 3), Image::Name(2, 1));
    EXPECT_EQ(image.at(3, 1), Image::Name(1, 1));
}

TEST(FillBorderPixels, HalfShiftedRowsSeeTheOppositeRowMovedByHalf)
{
    const std::uint32_t w = 130, h = 6, inner = w - 2;
    Image image(w, h);
    image.Fill(core::TILE_SHIFT_H);
    EXPECT_EQ(image.at(0, 0), Image::Name(h - 2, 64));
    EXPECT_EQ(image.at(0, 65), Image::Name(h - 2, 1));
    EXPECT_EQ(image.at(h - 1, 0), Image::Name(1, 64));
    for (std::uint32_t x = 0; x < inner; ++x) {
        const std::uint32_t across = (x + inner / 2) % inner;
        ASSERT_EQ(image.at(0, x + 1), Image::Name(h - 2, across + 1)) << x;
        ASSERT_EQ(image.at(h - 1, x + 1), Image::Name(1, across + 1)) << x;
    }
    EXPECT_EQ(image.at(3, 0), Image::Name(3, w - 2));
    EXPECT_EQ(image.at(3, w - 1), Image::Name(3, 1));
}

TEST(FillBorderPixels, HalfShiftedColumnsSeeTheOppositeColumnMovedByHalf)
{
    const std::uint32_t w = 5, h = 12, inner = h - 2;
    Image image(w, h);
    image.Fill(core::TILE_SHIFT_V);
    for (std::uint32_t y = 0; y < inner; ++y) {
        const std::uint32_t across = (y + inner / 2) % inner;
        ASSERT_EQ(image.at(y + 1, 0), Image::Name(across + 1, w - 2)) << y;
        ASSERT_EQ(image.at(y + 1, w - 1), Image::Name(across + 1, 1)) << y;
    }
    EXPECT_EQ(image.at(0, 2), Image::Name(h - 2, 2));
    EXPECT_EQ(image.at(h - 1, 2), Image::Name(1, 2));
}

TEST(FillBorderPixels, UnknownModeLeavesTheBorder)
{
    Image image(4, 5);
    const std::vector<std::uint32_t> before = image.p;
    image.Fill(5);
    EXPECT_EQ(image.p, before);
}

} // namespace
