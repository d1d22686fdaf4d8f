#include <gtest/gtest.h>

#include "saver/RunOverrides.h"
#include "saver/x11/Options.h"

namespace saver::x11 {
namespace {

class X11Overrides : public ::testing::Test {
protected:
    config::WeftConfig config;
};

TEST_F(X11Overrides, ASceneIsPlayedAloneByItsNumber)
{
    Options options;
    options.scene = 5;
    std::string error;
    ASSERT_TRUE(ApplyOverrides(OverridesOf(options), config, error)) << error;
    EXPECT_EQ(config.settings.play, config::PLAY_RULE_SELECT);
    ASSERT_GE(config.settings.select, 0);
    EXPECT_EQ(config.scene_list[static_cast<std::size_t>(config.settings.select)].no, 5);
    EXPECT_EQ(config.current_scene.no, 5);
}

TEST_F(X11Overrides, TheNumberIsTheScenesNotItsPlaceInTheList)
{
    // A list in another order (as a user's file may hold it).
    std::swap(config.scene_list[0], config.scene_list[9]);
    Options options;
    options.scene = 10;
    std::string error;
    ASSERT_TRUE(ApplyOverrides(OverridesOf(options), config, error));
    EXPECT_EQ(config.settings.select, 0);
}

TEST_F(X11Overrides, AnUnknownSceneIsRefusedAndChangesNothing)
{
    const config::CommonSettings before = config.settings;
    Options options;
    options.scene = 41;
    std::string error;
    EXPECT_FALSE(ApplyOverrides(OverridesOf(options), config, error));
    EXPECT_NE(error.find("41"), std::string::npos);
    EXPECT_EQ(config.settings.play, before.play);
    EXPECT_EQ(config.settings.select, before.select);
}

TEST_F(X11Overrides, TheFrameRate)
{
    Options options;
    options.fps = 12;
    std::string error;
    ASSERT_TRUE(ApplyOverrides(OverridesOf(options), config, error));
    EXPECT_EQ(config.settings.fps, 12u);
}

} // namespace
} // namespace saver::x11
