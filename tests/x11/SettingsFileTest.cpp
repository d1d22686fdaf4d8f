#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "core/BuiltinScenes.h"
#include "saver/x11/SettingsFile.h"

namespace saver::x11 {
namespace {

TEST(X11SettingsFile, TheUsersConfigurationFolder)
{
    EXPECT_EQ(DefaultDataFile("/x/cfg", "/home/u"), "/x/cfg/tessel/Tessel.dat");
    EXPECT_EQ(DefaultDataFile("/x/cfg/", "/home/u"), "/x/cfg/tessel/Tessel.dat");
    // Relative or empty values of XDG_CONFIG_HOME are ignored.
    EXPECT_EQ(DefaultDataFile("cfg", "/home/u"), "/home/u/.config/tessel/Tessel.dat");
    EXPECT_EQ(DefaultDataFile("", "/home/u"), "/home/u/.config/tessel/Tessel.dat");
    EXPECT_EQ(DefaultDataFile(nullptr, "/home/u/"), "/home/u/.config/tessel/Tessel.dat");
    EXPECT_EQ(DefaultDataFile(nullptr, nullptr), "");
    EXPECT_EQ(DefaultDataFile("rel", "rel"), "");
}

TEST(X11SettingsFile, MissingFoldersAreMadePrivate)
{
    const std::filesystem::path base = std::filesystem::temp_directory_path() / "tessel_x11_folders_test";
    std::filesystem::remove_all(base);
    std::filesystem::create_directories(base);
    const std::string file = (base / "a/b/tessel/Tessel.dat").string();
    std::string error;
    ASSERT_TRUE(MakeFoldersFor(file, error)) << error;
    EXPECT_TRUE(std::filesystem::is_directory(base / "a/b/tessel"));
    EXPECT_FALSE(std::filesystem::exists(file));
    struct stat info{};
    ASSERT_EQ(stat((base / "a/b/tessel").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    // Made already: fine. A file in the way: an error naming it.
    EXPECT_TRUE(MakeFoldersFor(file, error));
    std::filesystem::remove_all(base / "a/b/tessel");
    { std::FILE* f = std::fopen((base / "a/b/tessel").c_str(), "w"); std::fclose(f); }
    const std::string below = (base / "a/b/tessel/x/Tessel.dat").string();
    EXPECT_FALSE(MakeFoldersFor(below, error));
    EXPECT_NE(error.find("tessel"), std::string::npos) << error;
    std::filesystem::remove_all(base);
}

class X11Overrides : public ::testing::Test {
protected:
    config::WeftConfig config;
};

TEST_F(X11Overrides, ASceneIsPlayedAloneByItsNumber)
{
    Options options;
    options.scene = 5;
    std::string error;
    ASSERT_TRUE(ApplyOverrides(options, config, error)) << error;
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
    ASSERT_TRUE(ApplyOverrides(options, config, error));
    EXPECT_EQ(config.settings.select, 0);
}

TEST_F(X11Overrides, AnUnknownSceneIsRefusedAndChangesNothing)
{
    const config::CommonSettings before = config.settings;
    Options options;
    options.scene = 41;
    std::string error;
    EXPECT_FALSE(ApplyOverrides(options, config, error));
    EXPECT_NE(error.find("41"), std::string::npos);
    EXPECT_EQ(config.settings.play, before.play);
    EXPECT_EQ(config.settings.select, before.select);
}

TEST_F(X11Overrides, TheFrameRate)
{
    Options options;
    options.fps = 12;
    std::string error;
    ASSERT_TRUE(ApplyOverrides(options, config, error));
    EXPECT_EQ(config.settings.fps, 12u);
}

TEST(X11SettingsFile, TheUsersFileIsTheOnlyPlace)
{
    config::WeftConfig config;
    UseDataFile(config, "/home/u/.config/tessel/Tessel.dat");
    EXPECT_TRUE(config.data_file_path.empty());
    EXPECT_EQ(config.user_data_file_path, L"/home/u/.config/tessel/Tessel.dat");
}

} // namespace
} // namespace saver::x11

namespace saver::x11 {
namespace {

TEST(X11FolderLock, CopiesTakeTurnsOnTheFolder)
{
    const std::filesystem::path base = std::filesystem::temp_directory_path() / "tessel_x11_lock_test";
    std::filesystem::create_directories(base);
    const std::string file = (base / "Tessel.dat").string();
    {
        const FolderLock held(file);
        ASSERT_TRUE(held.locked());
        // Another open description of the folder cannot take it meanwhile,
        // not even to share it: the lock is exclusive.
        const int other = open(base.c_str(), O_RDONLY | O_DIRECTORY);
        ASSERT_GE(other, 0);
        EXPECT_NE(flock(other, LOCK_SH | LOCK_NB), 0);
        close(other);
    }
    const int other = open(base.c_str(), O_RDONLY | O_DIRECTORY);
    EXPECT_EQ(flock(other, LOCK_SH | LOCK_NB), 0);
    close(other);
    // No folder: nothing to lock, and nothing fails.
    EXPECT_FALSE(FolderLock((base / "missing/Tessel.dat").string()).locked());
    std::filesystem::remove_all(base);
}

} // namespace
} // namespace saver::x11
