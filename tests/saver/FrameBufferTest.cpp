#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>

#include "saver/FrameBuffer.h"

using saver::BlitKind;
using saver::BlitPlan;
using saver::FrameBuffer;

namespace {

// A 4 x 3 image whose pixel at shown column c, shown row r is 10 r + c + 1;
// storage is bottom-up, so shown row 0 is storage row 2.
std::unique_ptr<weftcpplib::CDIBData> Numbered()
{
    auto image = weftcpplib::MakeImage(4, 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            image->Pixels()[(2 - r) * 4 + c] = static_cast<std::uint32_t>(10 * r + c + 1);
    return image;
}

// The part of an area that the plans draw: the damage a front end reports
// and whether an output gets a frame at all.
TEST(ReachedArea, IsTheBoundsOfThePlansWithinTheAreaRelativeToIt)
{
    const saver::Rect output{100, 50, 40, 30};
    const BlitPlan inside{BlitKind::Copy, false, 0, false, {}, {110, 60, 10, 5}};
    const BlitPlan overlapping{BlitKind::Copy, false, 0, false, {}, {130, 40, 50, 20}};
    const BlitPlan elsewhere{BlitKind::Copy, false, 0, false, {}, {0, 0, 90, 40}};
    const BlitPlan none{BlitKind::None, false, 0, false, {}, {100, 50, 40, 30}};
    const BlitPlan pair[] = {inside, overlapping};
    EXPECT_EQ(saver::ReachedArea(pair, output), (saver::Rect{10, 0, 30, 15}));
    const BlitPlan missing[] = {elsewhere, none};
    EXPECT_EQ(saver::ReachedArea(missing, output), (saver::Rect{0, 0, 0, 0}));
}

} // namespace

TEST(FrameBuffer, CopyTurnsTheImageTopDownAndClipsBothSides)
{
    auto image = Numbered();
    FrameBuffer frame(5, 4);
    BlitPlan plan;
    plan.kind = BlitKind::Copy;
    plan.source = {1, 1, 3, 2};
    plan.dest = {3, 1, 3, 2}; // one column falls off the right edge
    frame.Draw(*image, plan);
    EXPECT_EQ(frame.row(1)[3], 12u);
    EXPECT_EQ(frame.row(1)[4], 13u);
    EXPECT_EQ(frame.row(2)[3], 22u);
    EXPECT_EQ(frame.row(0)[3], 0u);
    EXPECT_EQ(frame.row(3)[4], 0u);

    // A source reaching past the image and a destination left of the buffer.
    frame.Clear();
    plan.source = {-1, 0, 4, 3};
    plan.dest = {-2, 0, 4, 3};
    frame.Draw(*image, plan);
    EXPECT_EQ(frame.row(0)[0], 2u); // dest column 0 is source column 1
    EXPECT_EQ(frame.row(2)[1], 23u);
    EXPECT_EQ(frame.row(0)[2], 0u);
}

TEST(FrameBuffer, StretchTakesThePixelUnderEachCentre)
{
    auto image = Numbered();
    FrameBuffer frame(8, 6);
    BlitPlan plan;
    plan.kind = BlitKind::FitStretch;
    plan.source = {0, 0, 4, 3};
    plan.dest = {0, 0, 8, 6};
    frame.Draw(*image, plan);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(frame.row(y)[x], static_cast<std::uint32_t>(10 * (y / 2) + x / 2 + 1)) << x << "," << y;

    // Shrinking by two keeps every other pixel; None draws nothing.
    FrameBuffer small(2, 2);
    plan.dest = {0, 0, 2, 2};
    plan.source = {0, 0, 4, 3};
    small.Draw(*image, plan);
    EXPECT_EQ(small.row(0)[0], 2u);
    EXPECT_EQ(small.row(1)[1], 24u);
    plan.kind = BlitKind::None;
    FrameBuffer untouched(2, 2);
    untouched.Draw(*image, plan);
    EXPECT_EQ(untouched.row(0)[0], 0u);
}

TEST(FrameBuffer, StretchLeavesOutSourcePixelsPastTheImage)
{
    // 4 x 3 onto 4 x 3 from a source moved by one pixel: the row or column
    // that falls outside the image keeps what the target held (S).
    constexpr std::uint32_t S = 0xDEADBEEF;
    struct Case {
        saver::Rect source;
        std::uint32_t expected[3][4];
    };
    const Case cases[] = {
        {{0, 1, 4, 3}, {{11, 12, 13, 14}, {21, 22, 23, 24}, {S, S, S, S}}},
        {{0, -1, 4, 3}, {{S, S, S, S}, {1, 2, 3, 4}, {11, 12, 13, 14}}},
        {{1, 0, 4, 3}, {{2, 3, 4, S}, {12, 13, 14, S}, {22, 23, 24, S}}},
        {{-1, 0, 4, 3}, {{S, 1, 2, 3}, {S, 11, 12, 13}, {S, 21, 22, 23}}},
    };
    auto image = Numbered();
    for (const Case& c : cases) {
        std::uint32_t target[3][4];
        std::fill(&target[0][0], &target[0][0] + 12, S);
        BlitPlan plan;
        plan.kind = BlitKind::WindowStretch;
        plan.source = c.source;
        plan.dest = {0, 0, 4, 3};
        saver::DrawPlan(*image, plan, {&target[0][0], 4, 3, 4});
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(target[y][x], c.expected[y][x]) << c.source.x << "," << c.source.y << " at " << x << "," << y;
    }
}
