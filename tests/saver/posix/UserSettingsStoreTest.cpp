#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "config/Defaults.h"
#include "config/WeftConfig.h"
#include "platform/PrivateFolder.h"
#include "saver/UserSettingsStore.h"

namespace saver {
namespace {

namespace fs = std::filesystem;

// A fresh folder of the test's own, removed with what is in it.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "tessel-store-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

TEST(UserSettingsStore, TheUsersConfigurationFolder)
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

TEST(UserSettingsStore, MissingFoldersAreMadePrivate)
{
    const TempFolder base;
    ASSERT_FALSE(base.path().empty());
    config::WeftConfig config;
    const UserSettingsStore store(config, (base.path() / "a/b/tessel/Tessel.dat").string());
    std::string error;
    ASSERT_TRUE(store.MakeFolders(error)) << error;
    EXPECT_TRUE(fs::is_directory(base.path() / "a/b/tessel"));
    EXPECT_FALSE(fs::exists(base.path() / "a/b/tessel/Tessel.dat"));
    struct stat info{};
    ASSERT_EQ(stat((base.path() / "a/b/tessel").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    // Made already: fine. A file in the way: an error naming it.
    EXPECT_TRUE(store.MakeFolders(error));
    fs::remove_all(base.path() / "a/b/tessel");
    { std::FILE* f = std::fopen((base.path() / "a/b/tessel").c_str(), "w"); std::fclose(f); }
    const UserSettingsStore below(config, (base.path() / "a/b/tessel/x/Tessel.dat").string());
    EXPECT_FALSE(below.MakeFolders(error));
    EXPECT_NE(error.find("tessel"), std::string::npos) << error;
}

TEST(UserSettingsStore, TheUsersFileIsTheOnlyPlace)
{
    config::WeftConfig config;
    const UserSettingsStore store(config, "/home/u/.config/tessel/Tessel.dat");
    EXPECT_TRUE(config.data_file_path.empty());
    EXPECT_EQ(config.user_data_file_path, L"/home/u/.config/tessel/Tessel.dat");
}

// What the store reads and keeps over a run: the first load makes the
// file; a run with forced settings keeps nothing; a save that fails says so.
TEST(UserSettingsStore, ReadsOnceAndKeepsWhatARunMayKeep)
{
    struct Case {
        const char* name;
        bool keeping;
        bool folder_in_the_way;
        std::uint32_t fps_kept;
        bool saved;
    };
    for (const Case& c : {Case{"kept", true, false, 7, true}, Case{"forced", false, false, config::kDefaultFps, true},
                          Case{"refused", true, true, config::kDefaultFps, false}}) {
        const TempFolder base;
        ASSERT_FALSE(base.path().empty());
        const fs::path file = base.path() / "Tessel.dat";
        config::WeftConfig config;
        UserSettingsStore store(config, file.string());
        EXPECT_TRUE(store.Read()) << c.name; // nothing there yet: the defaults, written
        ASSERT_TRUE(fs::is_regular_file(file)) << c.name;
        store.set_keeping(c.keeping);
        config.settings.fps = 7;
        if (c.folder_in_the_way) {
            fs::remove(file);
            fs::create_directory(file);
        }
        EXPECT_EQ(store.Read(), true) << c.name; // loaded once: the run's change stays
        EXPECT_EQ(config.settings.fps, 7u) << c.name;
        EXPECT_EQ(store.Write(), c.saved) << c.name;
        EXPECT_EQ(store.saved(), c.saved) << c.name;
        if (c.folder_in_the_way)
            continue;
        config::WeftConfig next;
        UserSettingsStore again(next, file.string());
        EXPECT_TRUE(again.Read()) << c.name;
        EXPECT_EQ(next.settings.fps, c.fps_kept) << c.name;
    }
}

TEST(UserSettingsStore, CopiesTakeTurnsOnTheFolder)
{
    const TempFolder base;
    ASSERT_FALSE(base.path().empty());
    const std::string file = (base.path() / "Tessel.dat").string();
    {
        const platform::FolderLock held(file);
        ASSERT_TRUE(held.locked());
        // Another open description of the folder cannot take it meanwhile,
        // not even to share it: the lock is exclusive.
        const int other = open(base.path().c_str(), O_RDONLY | O_DIRECTORY);
        ASSERT_GE(other, 0);
        EXPECT_NE(flock(other, LOCK_SH | LOCK_NB), 0);
        close(other);
    }
    const int other = open(base.path().c_str(), O_RDONLY | O_DIRECTORY);
    EXPECT_EQ(flock(other, LOCK_SH | LOCK_NB), 0);
    close(other);
    // No folder: nothing to lock, and nothing fails.
    EXPECT_FALSE(platform::FolderLock((base.path() / "missing/Tessel.dat").string()).locked());
}

} // namespace
} // namespace saver
