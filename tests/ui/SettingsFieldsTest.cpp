#include <gtest/gtest.h>

#include "ui/FieldScan.h"
#include "ui/SettingsFields.h"

namespace {

using ui::CheckCells;
using ui::CheckDrop;
using ui::CheckFps;
using ui::CheckMinutes;
constexpr ui::FieldCheck Ok = ui::FieldCheck::ok;
constexpr ui::FieldCheck Empty = ui::FieldCheck::empty;
constexpr ui::FieldCheck Range = ui::FieldCheck::out_of_range;

TEST(FieldScan, ReadsLikeScanf)
{
    std::int32_t v = 77;
    EXPECT_TRUE(ui::ScanInt(L"  \t42", v));
    EXPECT_EQ(v, 42);
    EXPECT_TRUE(ui::ScanInt(L"+15x", v));
    EXPECT_EQ(v, 15);
    EXPECT_TRUE(ui::ScanInt(L"-8 9", v));
    EXPECT_EQ(v, -8);
    EXPECT_FALSE(ui::ScanInt(L"abc", v));
    EXPECT_FALSE(ui::ScanInt(L"-", v));
    EXPECT_FALSE(ui::ScanInt(L"", v));
    EXPECT_EQ(v, -8) << "text without a number leaves the value alone";
    EXPECT_TRUE(ui::ScanInt(L"99999999999999", v));
    EXPECT_EQ(v, 2147483647);
    EXPECT_TRUE(ui::ScanInt(L"-99999999999999", v));
    EXPECT_EQ(v, -2147483647 - 1);
}

TEST(FieldScan, UnsignedAndShortWrapLikeTheRuntime)
{
    std::uint32_t u = 5;
    EXPECT_TRUE(ui::ScanUnsigned(L"-1", u));
    EXPECT_EQ(u, 4294967295u);
    EXPECT_TRUE(ui::ScanUnsigned(L"99999999999", u));
    EXPECT_EQ(u, 4294967295u);
    std::int16_t s = 3;
    EXPECT_TRUE(ui::ScanShort(L"-1", s));
    EXPECT_EQ(s, -1);
    EXPECT_TRUE(ui::ScanShort(L"65537", s));
    EXPECT_EQ(s, 1);
}

TEST(SettingsFields, FrameRate)
{
    std::uint32_t fps = 30;
    EXPECT_EQ(CheckFps(L"", fps), Empty);
    EXPECT_EQ(CheckFps(L"abc", fps), Ok);
    EXPECT_EQ(fps, 30u);
    EXPECT_EQ(CheckFps(L"12abc", fps), Ok);
    EXPECT_EQ(fps, 12u);
    EXPECT_EQ(CheckFps(L"-1", fps), Range);
    EXPECT_EQ(fps, 4294967295u) << "the parsed value stays even when it fails";
    EXPECT_EQ(CheckFps(L"0", fps), Range);
    EXPECT_EQ(CheckFps(L"121", fps), Range);
    EXPECT_EQ(CheckFps(L"1", fps), Ok);
    EXPECT_EQ(CheckFps(L"120", fps), Ok);
}

TEST(SettingsFields, FrameRateTextWithoutNumberKeepsBadValue)
{
    std::uint32_t fps = 0;  // e.g. left by an earlier failed OK
    EXPECT_EQ(CheckFps(L"abc", fps), Range);
}

TEST(SettingsFields, FrameDrop)
{
    std::int16_t drop = 0;
    EXPECT_EQ(CheckDrop(L"", drop), Empty);
    EXPECT_EQ(CheckDrop(L"10", drop), Range);
    EXPECT_EQ(CheckDrop(L"-1", drop), Range);
    EXPECT_EQ(drop, -1);
    EXPECT_EQ(CheckDrop(L"9", drop), Ok);
    EXPECT_EQ(CheckDrop(L"0", drop), Ok);
    EXPECT_EQ(drop, 0);
}

TEST(SettingsFields, PlayTimeAcceptsZeroAsNoLimit)
{
    for (const ui::FieldRule* rule : {&ui::kTimeField, &ui::kSceneTimeField}) {
        std::int32_t minutes = 3;
        EXPECT_EQ(CheckMinutes(*rule, L"0", minutes), Ok);
        EXPECT_EQ(minutes, 0);
        EXPECT_EQ(CheckMinutes(*rule, L"1440", minutes), Ok);
        EXPECT_NE(CheckMinutes(*rule, L"1441", minutes), Ok);
        EXPECT_NE(CheckMinutes(*rule, L"-1", minutes), Ok);
    }
    std::int32_t minutes = -1;
    EXPECT_EQ(CheckMinutes(ui::kSceneTimeField, L"abc", minutes), Range)
        << "a stored -1 fails the range check when the text holds no number";
    EXPECT_EQ(CheckMinutes(ui::kTimeField, L"", minutes), Empty);
    EXPECT_EQ(CheckMinutes(ui::kTimeField, L"1441", minutes), Range);
}

TEST(SettingsFields, FrameSizeBounds)
{
    std::int32_t cells = 800;
    EXPECT_EQ(CheckCells(ui::kWidthField, L"127", cells), Range);
    EXPECT_EQ(CheckCells(ui::kHeightField, L"1025", cells), Range);
    EXPECT_EQ(CheckCells(ui::kSceneWidthField, L"", cells), Empty);
    EXPECT_EQ(CheckCells(ui::kSceneHeightField, L"0", cells), Range);
    EXPECT_EQ(CheckCells(ui::kWidthField, L"128", cells), Ok);
    EXPECT_EQ(CheckCells(ui::kWidthField, L"1024", cells), Ok);
    EXPECT_EQ(cells, 1024);
}

TEST(SettingsFields, TextLimitsAreDigitsOfUpperBound)
{
    EXPECT_EQ(ui::TextLimit(ui::kFpsField), 3);
    EXPECT_EQ(ui::TextLimit(ui::kDropField), 1);
    EXPECT_EQ(ui::TextLimit(ui::kTimeField), 4);
    EXPECT_EQ(ui::TextLimit(ui::kSceneHeightField), 4);
}

} // namespace
