#include <gtest/gtest.h>

#include "saver/wayland/Options.h"

namespace saver::wayland {
namespace {

TEST(WaylandOptions, EveryOption)
{
    std::string error;
    const auto options = ParseOptions({"--background", "--scene", "7", "--fps", "120", "--data", "/tmp/x.dat",
                                       "--seed", "4294967295"},
                                      error);
    ASSERT_TRUE(options) << error;
    EXPECT_TRUE(options->background);
    EXPECT_EQ(options->scene, 7);
    EXPECT_EQ(options->fps, 120u);
    EXPECT_EQ(options->data_path, "/tmp/x.dat");
    EXPECT_EQ(options->seed, 4294967295u);
    EXPECT_TRUE(OverridesOf(*options).any());

    const auto none = ParseOptions({}, error);
    ASSERT_TRUE(none);
    EXPECT_FALSE(none->background);
    EXPECT_FALSE(OverridesOf(*none).any());
}

TEST(WaylandOptions, BadLinesAreRefusedWithAReason)
{
    const std::vector<std::vector<std::string>> bad = {
        {"-background"}, {"background"},   {"--fps"},          {"--fps", "0"},      {"--fps", "121"},
        {"--fps", "3.5"}, {"--scene", "0"}, {"--scene", "32768"}, {"--seed", "-1"}, {"--seed", "4294967296"},
        {"--data", ""},  {"--window-id", "5"},
    };
    for (const auto& args : bad) {
        std::string error;
        EXPECT_FALSE(ParseOptions(args, error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
}

} // namespace
} // namespace saver::wayland
