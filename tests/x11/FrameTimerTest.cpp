#include <gtest/gtest.h>

#include "saver/FrameTimer.h"

namespace saver::x11 {
namespace {

TEST(X11FrameTimer, NoWaitBoundBeforeTheFirstInterval)
{
    FrameTimer timer;
    EXPECT_EQ(timer.WaitMs(0), -1);
    EXPECT_FALSE(timer.Due(12345));
}

TEST(X11FrameTimer, TicksFallOnTheIntervalsGrid)
{
    FrameTimer timer;
    timer.Set(33, 1000);
    EXPECT_FALSE(timer.Due(1032));
    EXPECT_EQ(timer.WaitMs(1000), 33);
    EXPECT_EQ(timer.WaitMs(1020), 13);
    EXPECT_TRUE(timer.Due(1033));
    timer.Fired(1034); // a little late: the next one stays on the grid
    EXPECT_EQ(timer.WaitMs(1034), 32);
    EXPECT_TRUE(timer.Due(1066));
}

TEST(X11FrameTimer, LateTicksAreNotMadeUp)
{
    FrameTimer timer;
    timer.Set(10, 0);
    // A tick that comes 35 ms late (a slow frame, a stopped process) is one
    // tick; the next comes at the next grid point, not three at once.
    timer.Fired(45);
    EXPECT_FALSE(timer.Due(45));
    EXPECT_EQ(timer.WaitMs(45), 5);
    EXPECT_TRUE(timer.Due(50));
}

TEST(X11FrameTimer, NeverWaitsLongerThanTheInterval)
{
    FrameTimer timer;
    timer.Set(1000, 5000);
    timer.Set(20, 5000); // a shorter interval replaces the running one
    EXPECT_EQ(timer.WaitMs(5000), 20);
    EXPECT_LE(timer.WaitMs(4000), 20); // even if the clock seems to step back
}

TEST(X11FrameTimer, TheClockMayWrap)
{
    FrameTimer timer;
    timer.Set(16, 0xFFFFFFF8u);
    EXPECT_FALSE(timer.Due(0xFFFFFFFFu));
    EXPECT_EQ(timer.WaitMs(0xFFFFFFFCu), 12);
    EXPECT_TRUE(timer.Due(8));
    timer.Fired(8);
    EXPECT_EQ(timer.WaitMs(8), 16);
}

TEST(X11FrameTimer, AZeroIntervalCountsAsOneMillisecond)
{
    FrameTimer timer;
    timer.Set(0, 100);
    EXPECT_EQ(timer.interval_ms(), 1u);
    EXPECT_TRUE(timer.Due(101));
}

} // namespace
} // namespace saver::x11
