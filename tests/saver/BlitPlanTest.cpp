#include <gtest/gtest.h>

#include "saver/BlitPlan.h"

using namespace saver;

namespace {

BlitInput Screen1920(std::uint16_t tilling, int cw, int ch, int dpi)
{
    return {tilling, cw, ch, dpi, 1920, 1080, 802, 602};
}

} // namespace

TEST(BlitPlan, SmallPreviewShowsCentralStrip)
{
    const BlitPlan plan = ChooseBlit(Screen1920(2, 120, 90, 96));
    EXPECT_EQ(plan.kind, BlitKind::PreviewStretch);
    EXPECT_FALSE(plan.from_cell_image);
    EXPECT_FALSE(plan.set_halftone);
    // 1080 * 126 / 1920 = 70 rows, centred.
    EXPECT_EQ(plan.source, (Rect{897, 505, 126, 70}));
    EXPECT_EQ(plan.dest, (Rect{0, 0, 120, 90}));
}

TEST(BlitPlan, PreviewAt120DpiGrowsBySquaredScale)
{
    const BlitPlan plan = ChooseBlit(Screen1920(0, 120, 90, 120));
    EXPECT_EQ(plan.kind, BlitKind::PreviewStretch);
    // 1.5625 x the client: 187.5 and 140.625, truncated.
    EXPECT_EQ(plan.dest, (Rect{0, 0, 187, 140}));
}

TEST(BlitPlan, MidSizeWindowStretchesWholeScreenImage)
{
    const BlitPlan plan = ChooseBlit(Screen1920(3, 126, 100, 96));
    EXPECT_EQ(plan.kind, BlitKind::WindowStretch);
    EXPECT_EQ(plan.source, (Rect{0, 0, 1920, 1080}));
    EXPECT_EQ(plan.dest, (Rect{0, 0, 126, 100}));
    EXPECT_EQ(ChooseBlit(Screen1920(3, 1919, 1080, 96)).kind, BlitKind::WindowStretch);
}

TEST(BlitPlan, FullSizeCopies)
{
    const BlitPlan plan = ChooseBlit(Screen1920(4, 1920, 1080, 96));
    EXPECT_EQ(plan.kind, BlitKind::Copy);
    EXPECT_EQ(plan.source, (Rect{0, 0, 1920, 1080}));
    EXPECT_EQ(plan.dest, (Rect{0, 0, 1920, 1080}));
    EXPECT_EQ(ChooseBlit(Screen1920(7, 2560, 1440, 96)).kind, BlitKind::Copy);
}

TEST(BlitPlan, FitStretchesFieldWithoutBorderToScreenSizeEvenInPreview)
{
    for (int cw : {120, 1920}) {
        const BlitPlan plan = ChooseBlit(Screen1920(1, cw, 90, 120));
        EXPECT_EQ(plan.kind, BlitKind::FitStretch);
        EXPECT_TRUE(plan.from_cell_image);
        EXPECT_TRUE(plan.set_halftone);
        EXPECT_EQ(plan.source, (Rect{1, 1, 800, 600}));
        EXPECT_EQ(plan.dest, (Rect{0, 0, 1920, 1080}));
    }
}

TEST(BlitPlan, UnknownScreenSizeDrawsNothingInPreview)
{
    BlitInput in = Screen1920(0, 100, 75, 96);
    in.screen_width = 0;
    EXPECT_EQ(ChooseBlit(in).kind, BlitKind::None);
}
