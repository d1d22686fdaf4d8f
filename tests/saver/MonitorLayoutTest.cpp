#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "core/TilingMode.h"
#include "saver/MonitorLayout.h"

using namespace saver;

namespace {

constexpr Rect kPrimary{0, 0, 1920, 1080};
constexpr Size kPrimarySize{1920, 1080};

// The full-screen window covers the bounding box of all monitors.
Rect BoundingBox(const std::vector<Rect>& monitors)
{
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (const Rect& m : monitors) {
        left = std::min(left, m.x);
        top = std::min(top, m.y);
        right = std::max(right, m.x + m.width);
        bottom = std::max(bottom, m.y + m.height);
    }
    return {left, top, right - left, bottom - top};
}

MonitorLayout LayOut(const std::vector<Rect>& monitors)
{
    return LayOutMonitors(monitors, BoundingBox(monitors), kPrimarySize);
}

} // namespace

TEST(MonitorLayout, SecondMonitorLeftOfThePrimaryMovesThePrimaryRight)
{
    // The virtual screen starts at -1280: the primary sits 1280 pixels into
    // the window, the second monitor at the window's origin.
    const MonitorLayout layout = LayOut({kPrimary, {-1280, 0, 1280, 1024}});
    ASSERT_EQ(layout.image_sizes, (std::vector<Size>{{1920, 1080}, {1280, 1024}}));
    ASSERT_EQ(layout.monitors.size(), 2u);
    EXPECT_EQ(layout.monitors[0].area, (Rect{1280, 0, 1920, 1080}));
    EXPECT_EQ(layout.monitors[0].visible, layout.monitors[0].area);
    EXPECT_EQ(layout.monitors[0].image, 0);
    EXPECT_EQ(layout.monitors[1].area, (Rect{0, 0, 1280, 1024}));
    EXPECT_EQ(layout.monitors[1].image, 1);
}

TEST(MonitorLayout, SecondMonitorRightOfOrAboveThePrimary)
{
    MonitorLayout layout = LayOut({{1920, 0, 1280, 1024}, kPrimary});
    ASSERT_EQ(layout.monitors.size(), 2u);
    EXPECT_EQ(layout.monitors[0].area, (Rect{1920, 0, 1280, 1024}));
    EXPECT_EQ(layout.monitors[0].image, 1); // the primary's size stays image 0
    EXPECT_EQ(layout.monitors[1].area, (Rect{0, 0, 1920, 1080}));
    EXPECT_EQ(layout.monitors[1].image, 0);

    layout = LayOut({kPrimary, {300, -1024, 1280, 1024}});
    EXPECT_EQ(layout.monitors[0].area, (Rect{0, 1024, 1920, 1080}));
    EXPECT_EQ(layout.monitors[1].area, (Rect{300, 0, 1280, 1024}));
}

TEST(MonitorLayout, MonitorsOfOneSizeShareOneImage)
{
    const MonitorLayout layout =
        LayOut({kPrimary, {1920, 0, 1920, 1080}, {-1280, 0, 1280, 1024}, {-1920, -1080, 1920, 1080},
                {3840, 0, 1280, 1024}});
    ASSERT_EQ(layout.image_sizes, (std::vector<Size>{{1920, 1080}, {1280, 1024}}));
    std::vector<int> images;
    for (const MonitorArea& m : layout.monitors)
        images.push_back(m.image);
    EXPECT_EQ(images, (std::vector<int>{0, 0, 1, 0, 1}));
}

TEST(MonitorLayout, OneMonitorIsTheWholeClient)
{
    const MonitorLayout layout = LayOut({kPrimary});
    ASSERT_EQ(layout.image_sizes, (std::vector<Size>{kPrimarySize}));
    ASSERT_EQ(layout.monitors.size(), 1u);
    EXPECT_EQ(layout.monitors[0].area, kPrimary);
}

TEST(MonitorLayout, ClipsToTheClientAndDropsWhatLiesOutside)
{
    // A window over the primary and half of the right monitor; a monitor
    // beyond it and an empty one show nothing and need no image.
    const std::vector<Rect> monitors{kPrimary, {1920, 100, 1280, 1024}, {5000, 0, 1024, 768}, {0, 0, 0, 1080}};
    const MonitorLayout layout = LayOutMonitors(monitors, {0, 0, 2560, 1080}, kPrimarySize);
    ASSERT_EQ(layout.image_sizes, (std::vector<Size>{{1920, 1080}, {1280, 1024}}));
    ASSERT_EQ(layout.monitors.size(), 2u);
    const MonitorArea& right = layout.monitors[1];
    EXPECT_EQ(right.area, (Rect{1920, 100, 1280, 1024}));
    EXPECT_EQ(right.visible, (Rect{1920, 100, 640, 980}));

    // A client left of and above the monitor cuts its left and top.
    const MonitorLayout shifted = LayOutMonitors(monitors, {100, 50, 1000, 1000}, kPrimarySize);
    ASSERT_EQ(shifted.monitors.size(), 1u);
    EXPECT_EQ(shifted.monitors[0].area, (Rect{-100, -50, 1920, 1080}));
    EXPECT_EQ(shifted.monitors[0].visible, (Rect{0, 0, 1000, 1000}));
}

TEST(MonitorLayout, IntersectNearTheEndsOfTheRangeDoesNotWrap)
{
    EXPECT_EQ(Intersect({INT_MAX - 10, 0, 100, 10}, {INT_MAX - 20, 0, 15, 10}), (Rect{INT_MAX - 10, 0, 5, 10}));
    const Rect apart = Intersect({INT_MIN, INT_MIN, 10, 10}, {INT_MAX - 5, INT_MAX - 5, 5, 5});
    EXPECT_EQ(apart.width, 0);
    EXPECT_EQ(apart.height, 0);
    // Touching edges do not overlap.
    EXPECT_EQ(Intersect({0, 0, 10, 10}, {10, 0, 10, 10}).width, 0);
}

TEST(MonitorBlit, CopiesTheVisiblePartOfTheMonitorsImageAtItsOwnSize)
{
    const MonitorArea full{{1280, 0, 1920, 1080}, {1280, 0, 1920, 1080}, 0};
    BlitPlan plan = MonitorBlit(core::TILE_GRID, full, 802, 602);
    EXPECT_EQ(plan.kind, BlitKind::Copy);
    EXPECT_FALSE(plan.from_cell_image);
    EXPECT_EQ(plan.screen_image, 0);
    EXPECT_EQ(plan.source, (Rect{0, 0, 1920, 1080}));
    EXPECT_EQ(plan.dest, (Rect{1280, 0, 1920, 1080}));

    const MonitorArea cut{{-100, -50, 1280, 1024}, {0, 0, 1000, 900}, 1};
    plan = MonitorBlit(core::TILE_SHIFT_H, cut, 802, 602);
    EXPECT_EQ(plan.screen_image, 1);
    EXPECT_EQ(plan.source, (Rect{100, 50, 1000, 900}));
    EXPECT_EQ(plan.dest, (Rect{0, 0, 1000, 900}));
}

TEST(MonitorBlit, FitStretchesTheFieldOverTheWholeMonitor)
{
    const MonitorArea cut{{-100, 0, 1280, 1024}, {0, 0, 1180, 1024}, 1};
    const BlitPlan plan = MonitorBlit(core::TILE_FIT, cut, 802, 602);
    EXPECT_EQ(plan.kind, BlitKind::FitStretch);
    EXPECT_TRUE(plan.from_cell_image);
    EXPECT_TRUE(plan.set_halftone);
    EXPECT_EQ(plan.source, (Rect{1, 1, 800, 600}));
    // The whole monitor, so the picture is not squeezed into the visible part.
    EXPECT_EQ(plan.dest, (Rect{-100, 0, 1280, 1024}));
}
