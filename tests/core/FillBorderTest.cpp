#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/FillBorder.h"

using core::FillBorder;

namespace {

constexpr short S = -7; // a ring cell the fill must not write

// A w x h block whose interior cell (x, y) holds 10 y + x and whose ring
// holds S, so that every copy can be traced in the expected rows.
template <typename T = short>
std::vector<T> Numbered(std::uint32_t w, std::uint32_t h, T sentinel = static_cast<T>(S))
{
    std::vector<T> cells(std::size_t{w} * h, sentinel);
    for (std::uint32_t y = 1; y + 1 < h; ++y)
        for (std::uint32_t x = 1; x + 1 < w; ++x)
            cells[y * w + x] = static_cast<T>(10 * y + x);
    return cells;
}

std::vector<short> Filled(std::uint32_t w, std::uint32_t h, std::uint16_t mode)
{
    std::vector<short> cells = Numbered(w, h);
    FillBorder(cells.data(), w, h, mode);
    return cells;
}

} // namespace

TEST(FillBorder, SinglePictureModesClearTheRing)
{
    for (std::uint16_t mode : {core::TILE_CENTER, core::TILE_FIT}) {
        const std::vector<short> expected = {
            0, 0,  0,  0,  0, //
            0, 11, 12, 13, 0, //
            0, 21, 22, 23, 0, //
            0, 0,  0,  0,  0, //
        };
        EXPECT_EQ(Filled(5, 4, mode), expected) << "mode " << mode;
    }
}

TEST(FillBorder, GridWrapsBothWays)
{
    const std::vector<short> expected = {
        23, 21, 22, 23, 21, //
        13, 11, 12, 13, 11, //
        23, 21, 22, 23, 21, //
        13, 11, 12, 13, 11, //
    };
    EXPECT_EQ(Filled(5, 4, core::TILE_GRID), expected);
}

TEST(FillBorder, HorizontalShiftMovesTheOppositeRowByHalfItsPeriod)
{
    // Even width: rows 0 and 3 are rows 2 and 1 moved by 2 of their 4 cells.
    const std::vector<short> even = {
        22, 23, 24, 21, 22, 23, //
        14, 11, 12, 13, 14, 11, //
        24, 21, 22, 23, 24, 21, //
        12, 13, 14, 11, 12, 13, //
    };
    EXPECT_EQ(Filled(6, 4, core::TILE_SHIFT_H), even);

    // Odd width: the same copies, and the last cell of rows 0 and H - 1 unwritten.
    const std::vector<short> odd = {
        22, 23, 21, 22, S,  //
        13, 11, 12, 13, 11, //
        23, 21, 22, 23, 21, //
        11, 12, 11, 12, S,  //
    };
    EXPECT_EQ(Filled(5, 4, core::TILE_SHIFT_H), odd);
}

TEST(FillBorder, VerticalShiftMovesTheOppositeColumnByHalfItsPeriod)
{
    const std::vector<short> even = {
        22, 41, 42, 21, //
        32, 11, 12, 31, //
        42, 21, 22, 41, //
        12, 31, 32, 11, //
        22, 41, 42, 21, //
        32, 11, 12, 31, //
    };
    EXPECT_EQ(Filled(4, 6, core::TILE_SHIFT_V), even);

    const std::vector<short> odd = {
        12, 31, 32, 11, //
        22, 11, 12, 21, //
        12, 21, 22, 11, //
        22, 31, 32, 21, //
        S,  11, 12, S,  //
    };
    EXPECT_EQ(Filled(4, 5, core::TILE_SHIFT_V), odd);
}

TEST(FillBorder, UnknownModesWriteNothing)
{
    for (std::uint16_t mode : {5, 6, 0xFFFF})
        EXPECT_EQ(Filled(6, 5, mode), Numbered(6, 5)) << "mode " << mode;
}

TEST(FillBorder, FillsPixelsTheSameWay)
{
    // 32-bit frame pixels, values beyond 16 bits included.
    constexpr std::uint32_t kScale = 0x010101;
    std::vector<std::uint32_t> pixels = Numbered<std::uint32_t>(6, 4, 0xFFFFFFFF);
    for (auto& p : pixels)
        if (p != 0xFFFFFFFF)
            p *= kScale;
    FillBorder(pixels.data(), 6, 4, core::TILE_SHIFT_H);
    const std::vector<std::uint32_t> rows = {
        22, 23, 24, 21, 22, 23, //
        14, 11, 12, 13, 14, 11, //
        24, 21, 22, 23, 24, 21, //
        12, 13, 14, 11, 12, 13, //
    };
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(pixels[i], rows[i] * kScale) << "pixel " << i;
}

TEST(FillBorder, DegenerateBlocksStayInBounds)
{
    // Blocks without interior: the single-picture modes clear every cell and
    // the wrapping modes stay within the block.
    for (std::uint16_t mode = 0; mode <= 5; ++mode) {
        for (std::uint32_t w : {1u, 2u, 3u}) {
            for (std::uint32_t h : {1u, 2u}) {
                std::vector<short> cells(std::size_t{w} * h, 9);
                FillBorder(cells.data(), w, h, mode);
                for (short c : cells)
                    EXPECT_TRUE(mode <= 1 ? c == 0 : c == 9) << w << "x" << h << " mode " << mode;
            }
        }
    }
    FillBorder(static_cast<short*>(nullptr), 0, 0, core::TILE_GRID);
}
