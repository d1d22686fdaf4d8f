#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "core/TilingMode.h"
#include "render/Tiling.h"
#include "weftcpplib/CDIBData.h"

using weftcpplib::CDIBData;
using weftcpplib::MakeImage;

namespace {

constexpr std::uint32_t kUntouched = 0x00EEEEEEu;

// Every source pixel names its column and storage row.
std::uint32_t Name(std::int64_t col, std::int64_t row)
{
    return static_cast<std::uint32_t>(row << 12 | col);
}

std::int64_t Mod(std::int64_t a, std::int64_t m)
{
    return ((a % m) + m) % m;
}

class TilingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        source_ = MakeImage(802, 602);
        for (std::int32_t r = 0; r < 602; ++r)
            for (std::int32_t c = 0; c < 802; ++c)
                source_->Pixels()[r * 802 + c] = Name(c, r);
        screen_ = MakeImage(1920, 1080);
        screen_->Fill(kUntouched);
    }

    void Tile(std::uint16_t mode) { render::Tiling(*screen_, *source_, 800, 600, mode); }

    std::uint32_t At(std::int32_t x, std::int32_t y) const { return screen_->Pixels()[y * 1920 + x]; }

    // The tile pixel that a grid whose tile corner sits at (x0, y0) shows at (x, y).
    static std::uint32_t FromGrid(std::int64_t x, std::int64_t y, std::int64_t x0, std::int64_t y0)
    {
        return Name(1 + Mod(x - x0, 800), 1 + Mod(y - y0, 600));
    }

    std::unique_ptr<CDIBData> source_;
    std::unique_ptr<CDIBData> screen_;
};

TEST_F(TilingTest, CentreTouchesOnlyTheMiddle)
{
    for (std::uint16_t mode : {std::uint16_t{0}, std::uint16_t{5}, std::uint16_t{0xFFFF}}) {
        screen_->Fill(kUntouched);
        Tile(mode);
        EXPECT_EQ(At(560, 240), Name(1, 1));
        EXPECT_EQ(At(1359, 839), Name(800, 600));
        EXPECT_EQ(At(559, 240), kUntouched);
        EXPECT_EQ(At(1360, 839), kUntouched);
        EXPECT_EQ(At(560, 239), kUntouched);
        EXPECT_EQ(At(560, 840), kUntouched);
        std::int64_t touched = 0;
        for (std::int32_t i = 0; i < screen_->Count(); ++i)
            touched += screen_->Pixels()[i] != kUntouched;
        EXPECT_EQ(touched, 800 * 600) << mode;
    }
}

TEST_F(TilingTest, FitModeDrawsNothing)
{
    Tile(core::TILE_FIT);
    for (std::int32_t i = 0; i < screen_->Count(); ++i)
        ASSERT_EQ(screen_->Pixels()[i], kUntouched);
}

TEST_F(TilingTest, GridCoversTheScreenWithOneTileCentred)
{
    Tile(core::TILE_GRID);
    // Tiles start at x -240, 560, 1360 and y -360, 240, 840.
    EXPECT_EQ(At(0, 0), Name(241, 361));
    EXPECT_EQ(At(560, 240), Name(1, 1));
    EXPECT_EQ(At(1360, 840), Name(1, 1));
    EXPECT_EQ(At(1919, 1079), Name(560, 240));
    for (std::int32_t y = 0; y < 1080; ++y)
        for (std::int32_t x = 0; x < 1920; ++x)
            ASSERT_EQ(At(x, y), FromGrid(x, y, -240, -360)) << x << "," << y;
}

TEST_F(TilingTest, RowsShiftedByHalfATileKeepTheCentreUnshifted)
{
    Tile(core::TILE_SHIFT_H);
    // Rows at y -360 and 840 are shifted (tiles at -640, 160, 960, 1760);
    // the row at 240 is not (-240, 560, 1360).
    EXPECT_EQ(At(160, 0), Name(1, 361));
    EXPECT_EQ(At(159, 0), Name(800, 361));
    EXPECT_EQ(At(1760, 239), Name(1, 600));
    EXPECT_EQ(At(560, 240), Name(1, 1));
    EXPECT_EQ(At(160, 840), Name(1, 1));
    for (std::int32_t y = 0; y < 1080; ++y) {
        const std::int64_t x0 = (y >= 240 && y < 840) ? -240 : -640;
        for (std::int32_t x = 0; x < 1920; ++x)
            ASSERT_EQ(At(x, y), FromGrid(x, y, x0, -360)) << x << "," << y;
    }
}

TEST_F(TilingTest, ColumnsShiftedByHalfATileKeepTheCentreUnshifted)
{
    Tile(core::TILE_SHIFT_V);
    // Columns at x -240 and 1360 are shifted up by 300; the one at 560 is not.
    EXPECT_EQ(At(560, 240), Name(1, 1));
    EXPECT_EQ(At(0, 0), Name(241, 61));
    for (std::int32_t x = 0; x < 1920; ++x) {
        const std::int64_t y0 = (x >= 560 && x < 1360) ? -360 : -660;
        for (std::int32_t y = 0; y < 1080; ++y)
            ASSERT_EQ(At(x, y), FromGrid(x, y, -240, y0)) << x << "," << y;
    }
}

TEST(Tiling, TileLargerThanTheScreenIsClippedOnBothSides)
{
    auto source = MakeImage(302, 202);
    for (std::int32_t i = 0; i < source->Count(); ++i)
        source->Pixels()[i] = static_cast<std::uint32_t>(i);
    auto screen = MakeImage(100, 80);
    render::Tiling(*screen, *source, 300, 200, core::TILE_GRID);
    // One tile at (-100, -60).
    EXPECT_EQ(screen->Pixels()[0], static_cast<std::uint32_t>(61 * 302 + 101));
    EXPECT_EQ(screen->Pixels()[79 * 100 + 99], static_cast<std::uint32_t>(140 * 302 + 200));

    auto wide = MakeImage(1366, 3);
    auto tile = MakeImage(1010, 3);
    tile->Fill(5);
    render::Tiling(*wide, *tile, 1008, 1, core::TILE_CENTER);
    EXPECT_EQ(wide->Pixels()[1 * 1366 + 178], 0u);
    EXPECT_EQ(wide->Pixels()[1 * 1366 + 179], 5u);
    EXPECT_EQ(wide->Pixels()[1 * 1366 + 1186], 5u);
    EXPECT_EQ(wide->Pixels()[1 * 1366 + 1187], 0u);
}

TEST(Tiling, EmptyTilesAndSourcesEndQuietly)
{
    auto screen = MakeImage(50, 40);
    auto source = MakeImage(12, 12);
    for (std::uint16_t mode = 0; mode <= 4; ++mode) {
        render::Tiling(*screen, *source, 0, 10, mode);
        render::Tiling(*screen, *source, 10, -5, mode);
    }
    // Only the fault report sees an empty source; the screen stays as it was.
    auto empty = MakeImage(0, 0);
    testing::internal::CaptureStderr();
    screen->Fill(3);
    render::Tiling(*screen, *empty, 10, 10, core::TILE_CENTER);
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("weftcpplib : weftcpplib::CDIBData::Tiling"), std::string::npos) << report;
    EXPECT_EQ(screen->Pixels()[0], 3u);
}

} // namespace
