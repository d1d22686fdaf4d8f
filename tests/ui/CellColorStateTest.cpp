#include <gtest/gtest.h>

#include "render/CellPalette.h"
#include "ui/CellColorState.h"

namespace {

using ui::ColorExchange;
using ui::LoadColorState;
using ui::StoreColorState;

ColorExchange Exchange(std::int32_t h_min, std::int32_t h_max, std::int32_t death_color = -1)
{
    return ColorExchange{h_min, 200, 180, h_max, 100, 255, death_color};
}

TEST(CellColorState, HueBeyondOneTurnRoundTrips)
{
    const auto state = LoadColorState(Exchange(1600, 100));
    EXPECT_EQ(state.values[ui::kHue0], 70);
    EXPECT_EQ(state.values[ui::kHue255], 100);
    EXPECT_TRUE(state.hue_reversed);
    const ColorExchange back = StoreColorState(state);
    EXPECT_EQ(back.h_min, 1600);
    EXPECT_EQ(back.h_max, 100);
    EXPECT_EQ(back.s_min2, 200);
    EXPECT_EQ(back.v_min, 180);
    EXPECT_EQ(back.s_max2, 100);
    EXPECT_EQ(back.v_max, 255);
}

TEST(CellColorState, FullCircleCollapsesToOneHue)
{
    const auto state = LoadColorState(Exchange(0, 1530));
    EXPECT_EQ(state.values[ui::kHue0], 0);
    EXPECT_EQ(state.values[ui::kHue255], 0);
    EXPECT_FALSE(state.hue_reversed);
    const ColorExchange back = StoreColorState(state);
    EXPECT_EQ(back.h_min, 0);
    EXPECT_EQ(back.h_max, 0);
}

TEST(CellColorState, NegativeHuesReduceIntoOneTurn)
{
    const auto state = LoadColorState(Exchange(-10, -1540));
    EXPECT_EQ(state.values[ui::kHue0], 1520);
    EXPECT_EQ(state.values[ui::kHue255], 1520);
    EXPECT_TRUE(state.hue_reversed);
}

TEST(CellColorState, EqualHuesReversedStoreEqualAndReopenUnreversed)
{
    auto state = LoadColorState(Exchange(300, 300));
    state.hue_reversed = true;
    const ColorExchange back = StoreColorState(state);
    EXPECT_EQ(back.h_min, 300);
    EXPECT_EQ(back.h_max, 300);
    EXPECT_FALSE(LoadColorState(back).hue_reversed);
}

TEST(CellColorState, StoredHuesTellTheDirection)
{
    for (bool reversed : {false, true}) {
        for (std::int32_t a : {0, 700, 1529}) {
            for (std::int32_t b : {0, 5, 1529}) {
                ui::CellColorState state;
                state.values[ui::kHue0] = a;
                state.values[ui::kHue255] = b;
                state.hue_reversed = reversed;
                const ColorExchange back = StoreColorState(state);
                if (reversed)
                    EXPECT_GE(back.h_min, back.h_max);
                else
                    EXPECT_GE(back.h_max, back.h_min);
                EXPECT_LE(std::max(back.h_min, back.h_max), 3059);
                const auto again = LoadColorState(back);
                EXPECT_EQ(again.values[ui::kHue0], a);
                EXPECT_EQ(again.values[ui::kHue255], b);
                EXPECT_EQ(again.hue_reversed, reversed && a != b);
            }
        }
    }
}

TEST(CellColorState, NoBackground)
{
    const auto state = LoadColorState(Exchange(0, 510, -1));
    EXPECT_FALSE(state.background_enabled);
    EXPECT_EQ(state.values[ui::kBgHue], 0);
    EXPECT_EQ(state.values[ui::kBgSat], 0);
    EXPECT_EQ(state.values[ui::kBgVal], 0);
    EXPECT_EQ(ui::PreviewFillColor(state), render::HsvToPixel(0, 200, 180));
    EXPECT_EQ(StoreColorState(state).death_color, -1);
}

TEST(CellColorState, RedBackground)
{
    auto state = LoadColorState(Exchange(0, 510, 0x00FF0000));
    EXPECT_TRUE(state.background_enabled);
    EXPECT_EQ(state.values[ui::kBgHue], 0);
    EXPECT_EQ(state.values[ui::kBgSat], 255);
    EXPECT_EQ(state.values[ui::kBgVal], 255);
    EXPECT_EQ(ui::PreviewFillColor(state), 0x00FF0000u);
    EXPECT_EQ(StoreColorState(state).death_color, 0x00FF0000);
    state.values[ui::kBgVal] = 128;
    EXPECT_EQ(StoreColorState(state).death_color, static_cast<std::int32_t>(render::HsvToPixel(0, 255, 128)));
}

TEST(CellColorState, TypedValuesAreClampedIntoRange)
{
    EXPECT_EQ(ui::ValueFromText(L"2000", 5, ui::kHue0), 1529);
    EXPECT_EQ(ui::ValueFromText(L"-5", 5, ui::kBgHue), 0);
    EXPECT_EQ(ui::ValueFromText(L"", 5, ui::kSat255), 0);
    EXPECT_EQ(ui::ValueFromText(L"abc", 5, ui::kVal0), 5);
    EXPECT_EQ(ui::ValueFromText(L"300", 5, ui::kVal0), 255);
    EXPECT_EQ(ui::ValueFromText(L"abc", 300, ui::kSat0), 255) << "a kept value is limited too";
    EXPECT_EQ(ui::ValueFromText(L" 12x", 5, ui::kHue255), 12);
}

TEST(CellColorState, GradientEndsAtCell255AndFollowsDirection)
{
    ui::CellColorState state;
    state.values = {0, 255, 255, 510, 255, 255, 0, 0, 0};
    EXPECT_EQ(ui::GradientColumnColor(state, 100, 100), render::HsvToPixel(510, 255, 255));
    EXPECT_EQ(ui::GradientColumnColor(state, 50, 100), render::HsvToPixel(255, 255, 255)) << "through yellow";
    state.hue_reversed = true;
    EXPECT_EQ(ui::GradientColumnColor(state, 50, 100), render::HsvToPixel(1020, 255, 255)) << "the long way, through blue";
    EXPECT_EQ(ui::GradientColumnColor(state, 100, 100), render::HsvToPixel(510, 255, 255));
}

TEST(CellColorState, GradientTruncatesTowardsZero)
{
    ui::CellColorState state;
    state.values = {0, 255, 10, 0, 255, 0, 0, 0, 0};  // value falls from 10 to 0
    // 10 + trunc(1 * -10 / 3) = 10 - 3 = 7 (rounding down would give 6).
    EXPECT_EQ(ui::GradientColumnColor(state, 1, 3), render::HsvToPixel(0, 255, 7));
}

} // namespace

#include "ui/ColorPreview.h"

namespace {

// Pixel at column x of the shown row y (rows are stored bottom-up).
std::uint32_t At(const weftcpplib::CDIBData& image, int x, int y)
{
    return image.Pixels()[(image.Height() - 1 - y) * image.Width() + x];
}

ui::CellColorState RedToGreenOverBlue()
{
    ui::CellColorState state;
    state.values = {0, 255, 255, 510, 255, 255, 1020, 255, 255};
    state.background_enabled = true;
    return state;
}

TEST(ColorPreview, NarrowPreviewShowsOnlyTheFill)
{
    auto image = weftcpplib::MakeImage(97, 40);
    const auto state = RedToGreenOverBlue();
    ui::DrawColorPreview(*image, ui::GradientRect(97, 40), state);
    const std::uint32_t blue = render::HsvToPixel(1020, 255, 255);
    for (int i = 0; i < image->Count(); ++i)
        ASSERT_EQ(image->Pixels()[i], blue) << "pixel " << i;
}

TEST(ColorPreview, GradientColumnsSitInsideTheMargins)
{
    constexpr int kWidth = 200, kHeight = 60;
    auto image = weftcpplib::MakeImage(kWidth, kHeight);
    auto state = RedToGreenOverBlue();
    const ui::PreviewRect rect = ui::GradientRect(kWidth, kHeight);
    EXPECT_EQ(rect.left, 48);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 152);
    EXPECT_EQ(rect.bottom, 40);
    ui::DrawColorPreview(*image, rect, state);
    const std::uint32_t blue = render::HsvToPixel(1020, 255, 255);
    const int mid_y = kHeight / 2;
    EXPECT_EQ(At(*image, 48, mid_y), blue) << "column 0 of the gradient stays the fill";
    EXPECT_EQ(At(*image, 151, mid_y), render::HsvToPixel(510, 255, 255)) << "the last column is cell 255";
    EXPECT_EQ(At(*image, 152, mid_y), blue);
    EXPECT_EQ(At(*image, 100, 5), blue) << "the top margin stays the fill";
    EXPECT_EQ(At(*image, 100, kHeight - 5), blue);
    EXPECT_EQ(At(*image, 100, mid_y), ui::GradientColumnColor(state, 52, 103));

    state.background_enabled = false;
    ui::DrawColorPreview(*image, rect, state);
    EXPECT_EQ(At(*image, 10, 10), render::HsvToPixel(0, 255, 255)) << "without a background the cell-0 colour fills";
}

} // namespace
