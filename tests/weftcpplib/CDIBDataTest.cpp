#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "weftcpplib/CDIBData.h"

using weftcpplib::CDIBData;
using weftcpplib::MakeImage;

namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// Pixel values that name their own position.
void Number(CDIBData& image)
{
    for (std::int32_t i = 0; i < image.Count(); ++i)
        image.Pixels()[i] = 0x00100000u + static_cast<std::uint32_t>(i);
}

TEST(CDIBData, CreateFillsTheHeaderAndBlackPixels)
{
    auto image = MakeImage(7, 5);
    const auto& h = image->Header().bmiHeader;
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 7);
    EXPECT_EQ(h.biHeight, 5);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 32);
    EXPECT_EQ(h.biCompression, 0u);
    EXPECT_EQ(h.biSizeImage, 7u * 5 * 4);
    EXPECT_EQ(h.biXPelsPerMeter, 0);
    EXPECT_EQ(h.biClrUsed, 0u);
    EXPECT_EQ(image->Header().bmiColors[0].rgbRed, 0);
    EXPECT_EQ(image->Count(), 35);
    for (std::int32_t i = 0; i < 35; ++i)
        ASSERT_EQ(image->Pixels()[i], 0u);

    image->Fill(0x00123456u);
    image->Create(-3, 4); // negative sizes still count their magnitude
    EXPECT_EQ(image->Count(), 12);
    EXPECT_EQ(image->Width(), -3);
    EXPECT_EQ(image->Pixels()[11], 0u);
}

TEST(CDIBData, OversizedImagesThrowAndKeepTheOldPixels)
{
    auto image = MakeImage(2, 2);
    image->Fill(9);
    EXPECT_THROW(image->Create(65536, 16384), std::bad_alloc); // 2^32 bytes
    EXPECT_THROW(image->Create(kMin, kMin), std::bad_alloc);
    EXPECT_EQ(image->Count(), 4);
    EXPECT_EQ(image->Width(), 2);
    EXPECT_EQ(image->Pixels()[3], 9u);
    EXPECT_THROW(MakeImage(kMax, 3), std::bad_alloc);

    auto empty = MakeImage(0, 10);
    EXPECT_EQ(empty->Count(), 0);
    empty->Fill(1);
}

TEST(PutTile, NegativePositionSkipsThatManySourceColumns)
{
    auto source = MakeImage(120, 4);
    Number(*source);
    auto dest = MakeImage(200, 3);
    ASSERT_TRUE(dest->PutTile(-10, 0, 100, 2, *source));
    for (std::int32_t c = 0; c < 90; ++c) {
        ASSERT_EQ(dest->Pixels()[c], source->Pixels()[120 + 11 + c]) << c;
        ASSERT_EQ(dest->Pixels()[200 + c], source->Pixels()[240 + 11 + c]) << c;
    }
    EXPECT_EQ(dest->Pixels()[90], 0u);
    EXPECT_EQ(dest->Pixels()[400], 0u);
}

TEST(PutTile, FailsOnlyWithoutPixels)
{
    auto empty = MakeImage(0, 0);
    auto image = MakeImage(4, 4);
    EXPECT_FALSE(image->PutTile(0, 0, 2, 2, *empty));
    EXPECT_FALSE(empty->PutTile(0, 0, 2, 2, *image));
    EXPECT_TRUE(image->PutTile(100, 100, 2, 2, *image)); // nothing to copy is no failure
}

// Whatever the position and size, the result is the clipped copy and nothing
// else: checked pixel by pixel against the plain definition, with ASan
// watching both buffers.
TEST(PutTile, ExtremeArgumentsStayInsideBothImages)
{
    const std::int32_t values[] = {kMin, kMin + 1, -1000, -3, -1, 0, 1, 2, 6, 1000, kMax - 1, kMax};
    auto source = MakeImage(6, 5);
    Number(*source);
    auto dest = MakeImage(7, 4);
    for (std::int32_t x : values)
        for (std::int32_t y : values)
            for (std::int32_t w : values)
                for (std::int32_t h : values) {
                    dest->Fill(0xEEu);
                    ASSERT_TRUE(dest->PutTile(x, y, w, h, *source));
                    for (std::int64_t r = 0; r < 4; ++r)
                        for (std::int64_t c = 0; c < 7; ++c) {
                            const std::int64_t u = c - x, v = r - y; // offset inside the tile
                            const bool inside = u >= 0 && u < w && v >= 0 && v < h && u + 1 < 6 && v + 1 < 5;
                            const std::uint32_t expected =
                                inside ? source->Pixels()[(v + 1) * 6 + u + 1] : 0xEEu;
                            ASSERT_EQ(dest->Pixels()[r * 7 + c], expected)
                                << "x " << x << " y " << y << " w " << w << " h " << h;
                        }
                }
}

TEST(PutTile, SourceMayBeTheImageItself)
{
    auto image = MakeImage(6, 6);
    Number(*image);
    const std::vector<std::uint32_t> before(image->Pixels(), image->Pixels() + 36);
    ASSERT_TRUE(image->PutTile(1, 0, 4, 3, *image));
    // Row 0 takes row 1 shifted: the overlapping rows are read before written.
    EXPECT_EQ(image->Pixels()[1], before[6 + 1]);
    EXPECT_EQ(image->Pixels()[4], before[6 + 4]);
    EXPECT_EQ(image->Pixels()[6 + 1], before[12 + 1]);

    Number(*image);
    ASSERT_TRUE(image->PutTile(0, 1, 5, 1, *image)); // one row moved left onto itself
    for (std::int32_t c = 0; c < 5; ++c)
        EXPECT_EQ(image->Pixels()[6 + c], before[6 + c + 1]) << c;

    // Moved down by one row: each row must take its upper neighbour as it was.
    Number(*image);
    ASSERT_TRUE(image->PutTile(0, 2, 5, 3, *image));
    for (std::int32_t r = 2; r < 5; ++r)
        for (std::int32_t c = 0; c < 5; ++c)
            EXPECT_EQ(image->Pixels()[r * 6 + c], before[(r - 1) * 6 + c + 1]) << r << "," << c;
    EXPECT_EQ(image->Pixels()[5 * 6], before[5 * 6]);
}

// Pixel (x, y) counted from the top of the shown image.
std::uint32_t Shown(const CDIBData& image, std::int32_t x, std::int32_t y)
{
    return image.Pixels()[(image.Height() - 1 - y) * image.Width() + x];
}

std::int32_t CountSet(const CDIBData& image)
{
    std::int32_t n = 0;
    for (std::int32_t i = 0; i < image.Count(); ++i)
        n += image.Pixels()[i] != 0;
    return n;
}

TEST(DrawLine, VerticalAndHorizontalIncludeBothEnds)
{
    auto image = MakeImage(10, 8);
    ASSERT_TRUE(image->DrawLine(3, 6, 3, 2, 0xFFu));
    for (std::int32_t y = 0; y < 8; ++y)
        EXPECT_EQ(Shown(*image, 3, y), (y >= 2 && y <= 6) ? 0xFFu : 0u) << y;
    EXPECT_EQ(CountSet(*image), 5);

    image->Fill(0);
    ASSERT_TRUE(image->DrawLine(-50, 1, 50, 1, 0xAu)); // clipped at both sides
    for (std::int32_t x = 0; x < 10; ++x)
        EXPECT_EQ(Shown(*image, x, 1), 0xAu);
    EXPECT_EQ(CountSet(*image), 10);
}

TEST(DrawLine, DiagonalTakesOnePixelPerStep)
{
    auto image = MakeImage(8, 8);
    ASSERT_TRUE(image->DrawLine(0, 0, 7, 7, 1));
    for (std::int32_t k = 0; k < 8; ++k)
        EXPECT_EQ(Shown(*image, k, k), 1u) << k;
    EXPECT_EQ(CountSet(*image), 8);

    image->Fill(0);
    ASSERT_TRUE(image->DrawLine(0, 0, 7, 3, 1)); // shallow: one pixel per column
    for (std::int32_t x = 0; x < 8; ++x) {
        std::int32_t in_column = 0;
        for (std::int32_t y = 0; y < 8; ++y)
            in_column += Shown(*image, x, y) != 0;
        EXPECT_EQ(in_column, 1) << x;
    }
    EXPECT_EQ(Shown(*image, 0, 0), 1u);
    EXPECT_EQ(Shown(*image, 7, 3), 1u);
}

TEST(DrawLine, MissesPointsAndExtremes)
{
    auto image = MakeImage(8, 6);
    EXPECT_FALSE(image->DrawLine(20, 1, 30, 5, 1));
    EXPECT_FALSE(image->DrawLine(-5, -1, -1, -9, 1));
    EXPECT_FALSE(image->DrawLine(2, 2, 2, 2, 1));
    EXPECT_EQ(CountSet(*image), 0);
    EXPECT_TRUE(image->DrawLine(kMin, kMin, kMax, kMax, 1));
    EXPECT_TRUE(image->DrawLine(kMax, 3, kMin, 3, 1));
    EXPECT_GT(CountSet(*image), 0);
    EXPECT_FALSE(MakeImage(0, 0)->DrawLine(0, 0, 5, 5, 1));
}

// The copy sees the image's own header, pixels and every row; a refusal is
// reported with the system's text for its code and gives false.
TEST(CDIBData, SetDIBitsHandsEveryRowToTheCopyAndReportsItsRefusal)
{
    auto image = MakeImage(5, 3);
    const weftcpplib::DibHeader* seen_header = nullptr;
    const std::uint32_t* seen_pixels = nullptr;
    std::int32_t seen_lines = 0;
    EXPECT_TRUE(image->SetDIBits([&](const weftcpplib::DibHeader& header, const std::uint32_t* pixels,
                                     std::int32_t lines, std::uint32_t&) {
        seen_header = &header;
        seen_pixels = pixels;
        seen_lines = lines;
        return true;
    }));
    EXPECT_EQ(seen_header, &image->Header());
    EXPECT_EQ(seen_pixels, image->Pixels());
    EXPECT_EQ(seen_lines, 3);

    testing::internal::CaptureStderr();
    const bool copied = image->SetDIBits([](const weftcpplib::DibHeader&, const std::uint32_t*, std::int32_t,
                                            std::uint32_t& error) {
        error = 2;
        return false;
    });
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(copied);
    EXPECT_NE(report.find("weftcpplib : weftcpplib::CDIBData::SetDIBits"), std::string::npos) << report;
    EXPECT_NE(report.find("00000002(SYSTEM)"), std::string::npos) << report;
}

} // namespace
