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
    EXPECT_EQ(ui::PreviewFillColor(state), HsvToPixel(0, 200, 180));
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
    EXPECT_EQ(StoreColorState(state).death_color, static_cast<std::int32_t>(HsvToPixel(0, 255, 128)));
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
    EXPECT_EQ(ui::GradientColumnColor(state, 100, 100), HsvToPixel(510, 255, 255));
    EXPECT_EQ(ui::GradientColumnColor(state, 50, 100), HsvToPixel(255, 255, 255)) << "through yellow";
    state.hue_reversed = true;
    EXPECT_EQ(ui::GradientColumnColor(state, 50, 100), HsvToPixel(1020, 255, 255)) << "the long way, through blue";
    EXPECT_EQ(ui::GradientColumnColor(state, 100, 100), HsvToPixel(510, 255, 255));
}

TEST(CellColorState, GradientTruncatesTowardsZero)
{
    ui::CellColorState state;
    state.values = {0, 255, 10, 0, 255, 0, 0, 0, 0};  // value falls from 10 to 0
    // 10 + trunc(1 * -10 / 3) = 10 - 3 = 7 (rounding down would give 6).
    EXPECT_EQ(ui::GradientColumnColor(state, 1, 3), HsvToPixel(0, 255, 7));
}

} // namespace
