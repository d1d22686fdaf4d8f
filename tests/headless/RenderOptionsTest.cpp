#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "saver/headless/RenderOptions.h"

using saver::headless::ParseArguments;

namespace {

saver::headless::ParsedArguments Parse(std::initializer_list<std::string_view> args)
{
    const std::vector<std::string_view> list(args);
    return ParseArguments(list);
}

} // namespace

TEST(RenderOptions, ReadsEveryOptionInBothForms)
{
    const auto parsed = Parse({"--scene", "28", "--size=640X480", "--seconds", "2.5", "--seed", "4294967295",
                               "--data", "T.dat", "--out", "a.png", "--frames", "f", "--webp=a.webp", "--quality",
                               "80"});
    ASSERT_EQ(parsed.error, "");
    const auto& o = parsed.options;
    EXPECT_EQ(o.scene, 28);
    EXPECT_EQ(o.width, 640);
    EXPECT_EQ(o.height, 480);
    EXPECT_EQ(o.seconds, 2.5);
    EXPECT_EQ(o.seed, 4294967295u);
    EXPECT_EQ(o.data_file, "T.dat");
    EXPECT_EQ(o.out_file, "a.png");
    EXPECT_EQ(o.frames_dir, "f");
    EXPECT_EQ(o.webp_file, "a.webp");
    EXPECT_EQ(o.webp_quality, 80);
    EXPECT_TRUE(Parse({"--out", "a.png", "--help"}).options.help);
}

TEST(RenderOptions, RefusesBadValuesWithTheReason)
{
    const std::pair<std::vector<std::string_view>, std::string_view> cases[] = {
        {{"--size", "0x100", "--out", "a.png"}, "--size takes"},
        {{"--size", "16385x100", "--out", "a.png"}, "--size takes"},
        {{"--size", "100", "--out", "a.png"}, "--size takes"},
        {{"--size", "100x-5", "--out", "a.png"}, "--size takes"},
        {{"--scene", "x", "--out", "a.png"}, "--scene takes"},
        {{"--seconds", "0", "--out", "a.png"}, "--seconds takes"},
        {{"--seconds", "nan", "--out", "a.png"}, "--seconds takes"},
        {{"--seed", "4294967296", "--out", "a.png"}, "--seed takes"},
        {{"--quality", "101", "--webp", "a.webp"}, "--quality takes"},
        {{"--out"}, "--out needs a value"},
        {{"--out="}, "--out takes a non-empty name"},
        {{"--bogus", "1"}, "unknown option '--bogus'"},
        {{"stray"}, "unexpected argument 'stray'"},
        {{"--scene", "3"}, "nothing to write"},
        {{"--gallery", "g", "--out", "a.png"}, "cannot be combined"},
        {{"--gallery", "g", "--scene", "2"}, "leave out --scene"},
        {{"--quality", "5", "--out", "a.png"}, "--webp only"},
        {{"--force", "--out", "a.png"}, "--frames only"},
        {{"--force=1", "--frames", "f"}, "--force takes no value"},
        {{"--size", "16384x10", "--webp", "a.webp"}, "at most 16383 pixels each way"},
    };
    for (const auto& [args, reason] : cases) {
        const auto parsed = ParseArguments(args);
        EXPECT_NE(parsed.error.find(reason), std::string::npos) << "got: " << parsed.error;
    }
    EXPECT_EQ(Parse({"--size", "16384x1", "--out", "a.png"}).error, "");
    EXPECT_EQ(Parse({"--size", "16383x16383", "--webp", "a.webp"}).error, "");
    EXPECT_TRUE(Parse({"--frames", "f", "--force"}).options.force);
}
