#include <gtest/gtest.h>

#include "saver/wayland/OutputLayout.h"

namespace saver::wayland {
namespace {

TEST(WaylandOutputLayout, OutputsSideBySideTheFirstPrimary)
{
    const std::vector<Size> sizes = {{800, 600}, {1920, 1080}, {640, 480}};
    const DisplayInfo display = LayOutOutputs(sizes);
    EXPECT_EQ(display.screen_width, 800);
    EXPECT_EQ(display.screen_height, 600);
    const std::vector<Rect> expected = {{0, 0, 800, 600}, {800, 0, 1920, 1080}, {2720, 0, 640, 480}};
    EXPECT_EQ(display.monitors, expected);
    EXPECT_EQ(display.client, (Rect{0, 0, 3360, 1080}));
    // Each output gets a screen image of its own size, the primary's first.
    const MonitorLayout layout = LayOutMonitors(display.monitors, display.client, {800, 600});
    ASSERT_EQ(layout.image_sizes.size(), 3u);
    EXPECT_EQ(layout.image_sizes.front(), (Size{800, 600}));
}

TEST(WaylandOutputLayout, NoOutputsNoScreen)
{
    const DisplayInfo display = LayOutOutputs({});
    EXPECT_TRUE(display.monitors.empty());
    EXPECT_EQ(display.client, (Rect{0, 0, 0, 0}));
}

} // namespace
} // namespace saver::wayland
