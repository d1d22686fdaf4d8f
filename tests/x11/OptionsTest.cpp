#include <gtest/gtest.h>

#include "saver/x11/Options.h"

namespace saver::x11 {
namespace {

std::optional<Options> Parse(std::vector<std::string> args, std::string* error_out = nullptr)
{
    std::string error;
    auto options = ParseOptions(args, error);
    if (error_out)
        *error_out = error;
    EXPECT_EQ(options.has_value(), error.empty()) << error;
    return options;
}

TEST(X11Options, NothingGivenDrawsWhereTheEnvironmentSays)
{
    const auto options = Parse({});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->target, Target::unset);
    EXPECT_TRUE(options->use_shm);
    EXPECT_FALSE(OverridesOf(*options).any());
}

TEST(X11Options, WindowIdsAreDecimalOrHexadecimal)
{
    EXPECT_EQ(ParseWindowId("4194305"), 4194305u);
    EXPECT_EQ(ParseWindowId("0x400001"), 0x400001u);
    EXPECT_EQ(ParseWindowId("0X1aF"), 0x1AFu);
    for (const char* bad : {"", "0", "0x", "0x0", "12x", "-5", "+5", " 5", "0x1g", "4294967296", "0x100000000"})
        EXPECT_FALSE(ParseWindowId(bad)) << bad;
}

TEST(X11Options, EveryOptionWithOneOrTwoHyphens)
{
    const auto options = Parse({"--window-id", "0x2a", "-scene", "7", "--fps", "120", "-data", "/tmp/x.dat",
                                "-seed", "4294967295", "-no-shm"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->target, Target::window_id);
    EXPECT_EQ(options->window_id, 42u);
    EXPECT_EQ(options->scene, 7);
    EXPECT_EQ(options->fps, 120u);
    EXPECT_EQ(options->data_path, "/tmp/x.dat");
    EXPECT_EQ(options->seed, 4294967295u);
    EXPECT_FALSE(options->use_shm);
    EXPECT_TRUE(OverridesOf(*options).any());
}

TEST(X11Options, BadLinesAreRefusedWithAReason)
{
    const std::vector<std::vector<std::string>> bad = {
        {"-bogus"},         {"root"},           {"-fps"},           {"-fps", "0"},     {"-fps", "121"},
        {"-fps", "3.5"},    {"-scene", "0"},    {"-scene", "x"},    {"-seed", "-1"},   {"-data", ""},
        {"-window-id"},     {"-window-id", "0"}, {"-root", "-window"},  {"-scene", "32768"},
    };
    for (const auto& args : bad) {
        std::string error;
        EXPECT_FALSE(Parse(args, &error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
    std::string error;
    Parse({"-fps", "0"}, &error);
    EXPECT_NE(error.find("-fps"), std::string::npos) << error;
}

TEST(X11Options, TheRangesIncludeTheirBounds)
{
    const struct {
        const char* option;
        const char* value;
        bool taken;
    } cases[] = {
        {"-fps", "1", true},      {"-fps", "120", true},      {"-fps", "0", false},    {"-fps", "121", false},
        {"-scene", "1", true},    {"-scene", "32767", true},  {"-scene", "0", false},  {"-scene", "32768", false},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto options = ParseOptions({c.option, c.value}, error);
        EXPECT_EQ(options.has_value(), c.taken) << c.option << ' ' << c.value;
    }
}

TEST(X11Options, AWindowIdWinsOverRootAndWindowInAnyOrder)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"-root", "--window-id", "0x2a"}, {"-window-id", "42", "-root"}, {"-window", "-window-id", "42"}}) {
        const auto options = Parse(args);
        ASSERT_TRUE(options) << args[0];
        EXPECT_EQ(options->target, Target::window_id);
        EXPECT_EQ(options->window_id, 42u);
    }
}

TEST(X11Options, RepeatingTheSameTargetIsHarmless)
{
    const auto options = Parse({"-root", "--root"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->target, Target::root);
}

TEST(X11Target, XScreenSaverWindowWinsOverRootAndTheDefault)
{
    std::string error;
    Options root;
    root.target = Target::root;
    auto target = ResolveTarget(root, "0x1200007", error);
    ASSERT_TRUE(target);
    EXPECT_EQ(target->kind, DrawTarget::window);
    EXPECT_EQ(target->id, 0x1200007u);

    target = ResolveTarget(Options{}, "123", error);
    ASSERT_TRUE(target);
    EXPECT_EQ(target->kind, DrawTarget::window);
    EXPECT_EQ(target->id, 123u);

    target = ResolveTarget(root, nullptr, error);
    ASSERT_TRUE(target);
    EXPECT_EQ(target->kind, DrawTarget::root);
    target = ResolveTarget(Options{}, "", error);
    ASSERT_TRUE(target);
    EXPECT_EQ(target->kind, DrawTarget::own_window);
}

TEST(X11Target, ExplicitWindowsWinOverTheEnvironment)
{
    std::string error;
    Options id;
    id.target = Target::window_id;
    id.window_id = 77;
    auto target = ResolveTarget(id, "0x99", error);
    ASSERT_TRUE(target);
    EXPECT_EQ(target->id, 77u);
    Options own;
    own.target = Target::own_window;
    target = ResolveTarget(own, "0x99", error);
    ASSERT_TRUE(target);
    EXPECT_EQ(target->kind, DrawTarget::own_window);
}

TEST(X11Target, AMalformedEnvironmentWindowIsAnError)
{
    std::string error;
    EXPECT_FALSE(ResolveTarget(Options{}, "window", error));
    EXPECT_NE(error.find("XSCREENSAVER_WINDOW"), std::string::npos);
}

} // namespace
} // namespace saver::x11
