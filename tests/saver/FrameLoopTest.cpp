#include <gtest/gtest.h>

#include "FrameFakes.h"
#include "saver/BlitPlan.h"

using saver_test::FrameRig;

TEST(FrameLoop, InitialIntervalFollowsFps)
{
    for (auto [fps, interval] : {std::pair{30u, 33u}, {120u, 8u}, {1u, 1000u}}) {
        FrameRig rig;
        rig.store.common.fps = fps;
        rig.Create();
        ASSERT_EQ(rig.timer.started.size(), 1u);
        EXPECT_EQ(rig.timer.started[0], interval) << "fps " << fps;
        EXPECT_EQ(rig.store.reads, 1);
        EXPECT_EQ(rig.scenes.starts, 0); // the first tick starts the scene
    }
}

TEST(FrameLoop, DamagedFpsIsClampedForTheTimer)
{
    for (auto [fps, interval] : {std::pair{0u, 1000u}, {1000u, 8u}, {0xFFFFFFFFu, 8u}}) {
        FrameRig rig;
        rig.store.common.fps = fps;
        rig.Create();
        EXPECT_EQ(rig.timer.started.at(0), interval) << "fps " << fps;
        // Quick ticks never bring the interval below the clamped base.
        rig.Tick(1);
        rig.Tick(1);
        EXPECT_TRUE(rig.timer.restarted.empty());
    }
}

TEST(FrameLoop, GenerationsPerTickMultiplyTheDrops)
{
    FrameRig rig;
    rig.Create();
    rig.Tick();
    EXPECT_EQ(rig.automaton.steps, 1);

    FrameRig heavy;
    heavy.store.common.drop = 9;
    heavy.store.current.drop = 9;
    heavy.Create();
    heavy.Tick();
    EXPECT_EQ(heavy.automaton.steps, 100);
    heavy.Tick();
    EXPECT_EQ(heavy.automaton.steps, 200);
    EXPECT_EQ(saver::FrameLoop::GenerationsPerTick(-1, 5), 0);
    // Damaged drops wrap in 16 bits like the stored count instead of
    // overflowing the multiplication: 65535 x 65535 = 1 (mod 65536).
    EXPECT_EQ(saver::FrameLoop::GenerationsPerTick(-2, -2), 1);
    EXPECT_EQ(saver::FrameLoop::GenerationsPerTick(32767, 32767), 0);
}

TEST(FrameLoop, FirstTickStartsSceneAndMakesImagesFromTheNewGrid)
{
    FrameRig rig;
    config::SceneData scene{};
    scene.time = -1;
    scene.tilling = 2;
    scene.proc = config::PROC_NOISE;
    rig.scenes.queue.push_back(scene);
    rig.automaton.width = 802;
    rig.automaton.height = 602;
    rig.Create();
    rig.Tick();
    EXPECT_EQ(rig.scenes.starts, 1);
    EXPECT_EQ(rig.scenes.screens.at(0), (std::pair{1920, 1080}));
    ASSERT_EQ(rig.canvas.images.size(), 1u);
    EXPECT_EQ(rig.canvas.images[0].sw, 1920);
    EXPECT_EQ(rig.canvas.images[0].sh, 1080);
    EXPECT_EQ(rig.canvas.images[0].gw, 802);
    EXPECT_EQ(rig.canvas.images[0].gh, 602);
    // The scene started in this tick is the one rendered.
    EXPECT_EQ(rig.canvas.last_tilling, 2);
    EXPECT_EQ(rig.canvas.last_proc, config::PROC_NOISE);
    ASSERT_EQ(rig.canvas.plans.size(), 1u);
    EXPECT_EQ(rig.canvas.plans[0].kind, saver::BlitKind::Copy);
}

TEST(FrameLoop, PlayLimitIsStrictlyExceeded)
{
    FrameRig rig; // scene time -1 falls back to the common 3 minutes
    rig.Create();
    rig.Tick(); // starts the first scene
    rig.Tick(180000);
    EXPECT_EQ(rig.scenes.starts, 1);
    EXPECT_EQ(rig.loop.play_clock_ms(), 180000u);
    rig.Tick(1);
    EXPECT_EQ(rig.scenes.starts, 2);
    EXPECT_EQ(rig.loop.play_clock_ms(), 0u);
}

TEST(FrameLoop, NoLimitWhenTimeIsZero)
{
    FrameRig rig;
    rig.store.common.time = 0;
    rig.Create();
    rig.Tick();
    for (int i = 0; i < 10; ++i)
        rig.Tick(24u * 3600u * 1000u);
    EXPECT_EQ(rig.scenes.starts, 1);
    EXPECT_EQ(rig.loop.play_clock_ms(), 0u);
}

namespace {

// The scene just started has a one-minute limit: 60000 ms more are within
// it, one more ends it.
void ExpectAWholeMinuteOfPlay(FrameRig& rig)
{
    const int starts = rig.scenes.starts;
    rig.Tick(30000);
    rig.Tick(30000);
    EXPECT_EQ(rig.scenes.starts, starts);
    rig.Tick(1);
    EXPECT_EQ(rig.scenes.starts, starts + 1);
}

} // namespace

TEST(FrameLoop, DyingSceneStartsNextAtOnceWithClockFromZero)
{
    FrameRig rig;
    config::SceneData endless{};
    endless.time = 0;
    endless.drop = 4; // five generations a tick
    config::SceneData limited{};
    limited.time = 1;
    rig.scenes.queue = {endless, limited};
    rig.Create();
    rig.Tick();
    rig.Tick(50000);
    EXPECT_EQ(rig.scenes.starts, 1);

    const int steps_before = rig.automaton.steps;
    rig.automaton.dies_at_step = steps_before + 2;
    rig.Tick(1000);
    // The loop stops at the death: two generations, not five.
    EXPECT_EQ(rig.scenes.starts, 2);
    EXPECT_EQ(rig.automaton.steps, steps_before + 2);
    EXPECT_EQ(rig.canvas.images.size(), 2u);
    EXPECT_EQ(rig.loop.play_clock_ms(), 0u);

    // The limited scene's clock counts from this tick.
    ExpectAWholeMinuteOfPlay(rig);
}

TEST(FrameLoop, LimitedSceneDyingHandsTheNextAFreshClock)
{
    FrameRig rig;
    config::SceneData limited{};
    limited.time = 1;
    rig.scenes.queue = {limited, limited};
    rig.Create();
    rig.Tick();
    rig.Tick(50000);
    ASSERT_EQ(rig.loop.play_clock_ms(), 50000u);

    rig.automaton.dies_at_step = rig.automaton.steps + 1;
    rig.Tick(1000);
    EXPECT_EQ(rig.scenes.starts, 2);
    EXPECT_EQ(rig.loop.play_clock_ms(), 0u);

    // The 51 s the dead scene had played count for nothing.
    ExpectAWholeMinuteOfPlay(rig);
}

TEST(FrameLoop, WorkEqualToTheIntervalIsNoOverrun)
{
    FrameRig rig; // 33 ms interval
    rig.Create();
    rig.automaton.ms_per_step = 33;
    for (int i = 0; i < 4; ++i)
        rig.Tick();
    EXPECT_TRUE(rig.timer.restarted.empty());
    EXPECT_EQ(rig.loop.timer_interval_ms(), 33u);

    rig.automaton.ms_per_step = 34;
    rig.Tick();
    rig.Tick();
    EXPECT_EQ(rig.timer.restarted, (std::vector<std::uint32_t>{34u + 16u}));
}

TEST(FrameLoop, SingleOverrunIgnoredTwoAveragedPlusSlack)
{
    FrameRig rig; // 33 ms interval
    rig.Create();
    rig.automaton.ms_per_step = 40;
    rig.Tick();
    EXPECT_TRUE(rig.timer.restarted.empty());
    rig.automaton.ms_per_step = 60;
    rig.Tick();
    ASSERT_EQ(rig.timer.restarted.size(), 1u);
    EXPECT_EQ(rig.timer.restarted[0], (40u + 60u) / 2 + 16u);
    EXPECT_EQ(rig.loop.timer_interval_ms(), 66u);

    // An overrun followed by a fitting tick starts the count again.
    rig.automaton.ms_per_step = 70;
    rig.Tick();
    rig.automaton.ms_per_step = 50;
    rig.Tick(); // 50 + 16 = 66: no change
    rig.automaton.ms_per_step = 70;
    rig.Tick();
    EXPECT_EQ(rig.timer.restarted.size(), 1u);
}

TEST(FrameLoop, ShrinksBackButNeverBelowBase)
{
    FrameRig rig;
    rig.Create();
    rig.automaton.ms_per_step = 100;
    rig.Tick();
    rig.Tick();
    ASSERT_EQ(rig.loop.timer_interval_ms(), 116u);

    rig.automaton.ms_per_step = 50;
    rig.Tick();
    EXPECT_EQ(rig.loop.timer_interval_ms(), 66u);
    rig.automaton.ms_per_step = 2;
    rig.Tick();
    EXPECT_EQ(rig.loop.timer_interval_ms(), 33u);
    rig.Tick();
    EXPECT_EQ(rig.timer.restarted, (std::vector<std::uint32_t>{116u, 66u, 33u}));
}

TEST(FrameLoop, DataFileWrittenOnlyByFullScreen)
{
    FrameRig full;
    full.Create(false);
    full.loop.OnDestroy();
    EXPECT_EQ(full.store.writes, 1);

    FrameRig preview;
    preview.Create(true);
    preview.loop.OnDestroy();
    EXPECT_EQ(preview.store.writes, 0);
}
