#include <gtest/gtest.h>
#include <algorithm>

#include "saver/FrameBuffer.h"
#include "saver/x11/WindowDisplay.h"
#include "weftcpplib/CDIBData.h"

namespace saver::x11 {
namespace {

TEST(X11WindowDisplay, AWindowIsItsOwnScreen)
{
    const DisplayInfo display = DisplayForWindow(1920, 1080);
    EXPECT_EQ(display.screen_width, 1920);
    EXPECT_EQ(display.screen_height, 1080);
    ASSERT_EQ(display.monitors.size(), 1u);
    EXPECT_EQ(display.monitors[0], (Rect{0, 0, 1920, 1080}));
    EXPECT_EQ(display.client, (Rect{0, 0, 1920, 1080}));
}

TEST(X11WindowDisplay, AThumbnailShowsAWholeStripScreenOfItsShape)
{
    const DisplayInfo display = DisplayForWindow(100, 80);
    EXPECT_EQ(display.screen_width, kPreviewStripWidth);
    EXPECT_EQ(display.screen_height, 80 * kPreviewStripWidth / 100);
    EXPECT_EQ(display.client, (Rect{0, 0, 100, 80}));

    // What the frame loop then draws reaches every pixel of the window.
    const BlitPlan plan = ChooseBlit({0, 100, 80, 96, display.screen_width, display.screen_height, 130, 100});
    auto image = weftcpplib::MakeImage(display.screen_width, display.screen_height);
    std::fill(image->Pixels(), image->Pixels() + display.screen_width * display.screen_height, 0x00FF8040u);
    FrameBuffer window(100, 80);
    window.Draw(*image, plan);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(window.row(y)[x], 0x00FF8040u) << x << "," << y;
}

TEST(X11WindowDisplay, HugeWindowsAreDrawnInPartOnly)
{
    const struct {
        int width, height;
        DrawnSize drawn;
    } cases[] = {
        {1920, 1080, {1920, 1080, true}},       {16384, 4096, {16384, 4096, true}},
        {8192, 8192, {8192, 8192, true}},       {8192, 8193, {8192, 8192, false}},
        {32767, 32767, {16384, 4096, false}},   {100, 32767, {100, 16384, false}},
    };
    for (const auto& c : cases) {
        const DrawnSize drawn = BoundWindowSize(c.width, c.height);
        EXPECT_EQ(drawn.width, c.drawn.width) << c.width << "x" << c.height;
        EXPECT_EQ(drawn.height, c.drawn.height) << c.width << "x" << c.height;
        EXPECT_EQ(drawn.whole, c.drawn.whole) << c.width << "x" << c.height;
    }
}

TEST(X11WindowDisplay, EmptyWindowsStayEmpty)
{
    EXPECT_EQ(DisplayForWindow(0, 0).screen_width, 0);
    EXPECT_EQ(DisplayForWindow(50, 0).screen_height, 0);
}

} // namespace
} // namespace saver::x11
