#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "config/DataFilePlaces.h"
#include "platform/System.h"

namespace {

constexpr wchar_t kSep = platform::kPathSeparator;

std::wstring Join(std::initializer_list<std::wstring> parts)
{
    std::wstring path;
    for (const std::wstring& part : parts)
        path += (path.empty() ? L"" : std::wstring(1, kSep)) + part;
    return path;
}

std::wstring FolderOf(const std::wstring& path)
{
    return path.substr(0, path.rfind(kSep));
}

// Files and folders in memory. A folder that is not writable takes no new
// file, no replacement and no subfolder; a file that is not readable fails
// the data file's read (its bytes can still be copied).
class FakeFileSystem final : public config::PlaceFileSystem {
public:
    std::map<std::wstring, std::string> files;
    std::set<std::wstring> folders;
    std::set<std::wstring> read_only;
    std::set<std::wstring> unreadable;
    int folders_made = 0;

    bool Exists(const std::wstring& path) const override { return files.count(path) || folders.count(path); }
    bool MakeFolder(const std::wstring& folder, std::uint32_t& error) override
    {
        if (!Writable(FolderOf(folder))) {
            error = 5;
            return false;
        }
        folders.insert(folder);
        ++folders_made;
        return true;
    }
    bool CopyToNewFile(const std::wstring& from, const std::wstring& to, std::uint32_t& error) override
    {
        if (!files.count(from)) {
            error = 5;
            return false;
        }
        if (Exists(to)) {
            error = 80;
            return false;
        }
        if (!Writable(FolderOf(to))) {
            error = 5;
            return false;
        }
        files[to] = files[from];
        return true;
    }
    bool Store(const std::wstring& path, const std::string& bytes, std::uint32_t& error)
    {
        if (!Writable(FolderOf(path)) || folders.count(path)) {
            error = 5;
            return false;
        }
        files[path] = bytes;
        unreadable.erase(path);
        return true;
    }
    bool Writable(const std::wstring& folder) const { return folders.count(folder) && !read_only.count(folder); }
    // Files whose names start with `stem` other than `except`.
    std::vector<std::wstring> FilesStartingWith(const std::wstring& stem) const
    {
        std::vector<std::wstring> found;
        for (const auto& [path, bytes] : files)
            if (path.starts_with(stem))
                found.push_back(path);
        return found;
    }
};

const std::wstring kProgramFolder = Join({L"Apps", L"Saver"});
const std::wstring kUserRoot = Join({L"Users", L"me", L"Roaming"});
const std::wstring kUserFolder = Join({kUserRoot, L"Tessel"});
const config::DataFilePlaces kPlaces{Join({kProgramFolder, L"Tessel.dat"}), Join({kUserFolder, L"Tessel.dat"})};
const platform::LocalTime kNow{2026, 3, 6, 7, 8, 9, 45};

enum Where { none, program, user };

std::wstring PathOf(Where where, const config::DataFilePlaces& places = kPlaces)
{
    return where == program ? places.program : where == user ? places.user : std::wstring();
}

// One state of both places, and what reading and then saving must do.
struct Row {
    const char* what;
    // The program's place.
    bool program_exists, program_readable, program_writable;
    // The per-user place; the folder "Tessel" may not be made yet.
    bool user_exists, user_readable, user_writable, user_folder_made;
    // Expected.
    Where read;
    bool read_fails;
    Where kept;  // the folder holding a damaged copy
    Where written;
    std::vector<Where> failed;
};

const Row kRows[] = {
    // what                                  program       user                  read     fails  kept     written  failed
    {"fresh install",                        0, 0, 1,      0, 0, 1, 0,           none,    false, none,    program, {}},
    {"fresh, program folder read-only",      0, 0, 0,      0, 0, 1, 0,           none,    false, none,    user,    {}},
    {"fresh, read-only, user folder made",   0, 0, 0,      0, 0, 1, 1,           none,    false, none,    user,    {}},
    {"program file",                         1, 1, 1,      0, 0, 1, 0,           program, false, none,    program, {}},
    {"program file, folder read-only",       1, 1, 0,      0, 0, 1, 0,           program, false, none,    user,    {}},
    {"damaged program file",                 1, 0, 1,      0, 0, 1, 0,           program, true,  program, program, {}},
    {"damaged program file, read-only",      1, 0, 0,      0, 0, 1, 0,           program, true,  none,    user,    {}},
    {"per-user file wins",                   1, 1, 1,      1, 1, 1, 1,           user,    false, none,    user,    {}},
    {"per-user file alone",                  0, 0, 0,      1, 1, 1, 1,           user,    false, none,    user,    {}},
    {"per-user file read-only",              1, 1, 1,      1, 1, 0, 1,           user,    false, none,    none,    {user}},
    {"damaged per-user file",                1, 1, 1,      1, 0, 1, 1,           user,    true,  user,    user,    {}},
    {"nowhere to write",                     1, 1, 0,      0, 0, 0, 0,           program, false, none,    none,    {program, user}},
};

class PlaceTable : public ::testing::TestWithParam<Row> {};

TEST_P(PlaceTable, ReadsWritesAndKeepsFromTheRightPlace)
{
    const Row& row = GetParam();
    FakeFileSystem fs;
    fs.folders = {kProgramFolder, kUserRoot};
    if (!row.program_writable)
        fs.read_only.insert(kProgramFolder);
    if (row.user_folder_made || row.user_exists)
        fs.folders.insert(kUserFolder);
    if (!row.user_writable)
        fs.read_only.insert(row.user_folder_made || row.user_exists ? kUserFolder : kUserRoot);
    if (row.program_exists)
        fs.files[kPlaces.program] = "program bytes";
    if (!row.program_readable)
        fs.unreadable.insert(kPlaces.program);
    if (row.user_exists)
        fs.files[kPlaces.user] = "user bytes";
    if (!row.user_readable)
        fs.unreadable.insert(kPlaces.user);
    const auto original = fs.files;

    const config::ReadChoice choice = config::ChooseFileToRead(kPlaces, fs);
    EXPECT_EQ(choice.path, PathOf(row.read));
    config::UnreadFile unread;
    if (!choice.path.empty() && fs.unreadable.count(choice.path))
        unread = {choice.path, config::ReadFailure::too_short, {}};
    EXPECT_EQ(!unread.path.empty(), row.read_fails);
    const std::wstring unread_at_start = unread.path;

    std::vector<config::WriteFailure> failures;
    const std::wstring written = config::StoreInPlaces(
        kPlaces, fs, unread, kNow,
        [&](const std::wstring& path, std::uint32_t& error) { return fs.Store(path, "new bytes", error); },
        failures);
    EXPECT_EQ(written, PathOf(row.written));
    std::vector<std::wstring> failed_paths;
    for (const config::WriteFailure& failure : failures) {
        failed_paths.push_back(failure.path);
        EXPECT_NE(failure.error, 0u);
    }
    std::vector<std::wstring> expected_failures;
    for (const Where where : row.failed)
        expected_failures.push_back(PathOf(where));
    EXPECT_EQ(failed_paths, expected_failures);
    if (!written.empty()) {
        EXPECT_EQ(fs.files[written], "new bytes");
    }

    // Nothing that was there is lost: a replaced file was read, or kept.
    for (const auto& [path, bytes] : original) {
        if (fs.files[path] == bytes)
            continue;
        EXPECT_EQ(path, written);
        if (path == unread_at_start) {
            const auto copies = fs.FilesStartingWith(FolderOf(path) + kSep + L"Tessel.damaged-");
            ASSERT_EQ(copies.size(), 1u);
            EXPECT_EQ(fs.files[copies[0]], bytes);
        }
    }
    const std::wstring kept_in = row.kept == none ? L"" : FolderOf(PathOf(row.kept));
    for (const std::wstring& folder : {kProgramFolder, kUserFolder}) {
        const auto copies = fs.FilesStartingWith(folder + kSep + L"Tessel.damaged-");
        EXPECT_EQ(copies.size(), folder == kept_in ? 1u : 0u) << "damaged copies in " << (folder == kProgramFolder ? "program" : "user");
    }
    if (row.kept != none) {
        EXPECT_TRUE(unread.path.empty()) << "a kept and replaced file is no longer pending";
    }
    EXPECT_EQ(fs.folders_made, row.written == user && !row.user_folder_made && !row.user_exists ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(DataFilePlaces, PlaceTable, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             std::string name;
                             for (const char* c = info.param.what; *c; ++c)
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

TEST(DataFilePlaces, AnUnusablePlaceIsLeftOut)
{
    FakeFileSystem fs;
    fs.folders = {kProgramFolder, kUserRoot};
    std::vector<config::WriteFailure> failures;
    config::UnreadFile unread;
    const auto store = [&](const std::wstring& path, std::uint32_t& error) { return fs.Store(path, "x", error); };

    // No usable path beside the program (a path too long): only the user's place.
    const config::DataFilePlaces user_only{{}, kPlaces.user};
    EXPECT_EQ(config::ChooseFileToRead(user_only, fs).path, L"");
    EXPECT_EQ(config::StoreInPlaces(user_only, fs, unread, kNow, store, failures), kPlaces.user);
    EXPECT_FALSE(fs.files.count(kProgramFolder + kSep + L"Tessel.dat"));

    // No per-user folder known: the program folder alone, as it always was.
    fs.read_only.insert(kProgramFolder);
    const config::DataFilePlaces program_only{kPlaces.program, {}};
    EXPECT_EQ(config::StoreInPlaces(program_only, fs, unread, kNow, store, failures), L"");
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].path, kPlaces.program);

    EXPECT_EQ(config::StoreInPlaces({}, fs, unread, kNow, store, failures), L"");
    EXPECT_EQ(failures.size(), 1u);
}

TEST(DataFilePlaces, DamagedCopiesNeverOverwriteEachOther)
{
    EXPECT_EQ(config::DamagedCopyPath(kPlaces.program, kNow, 1),
              kProgramFolder + kSep + L"Tessel.damaged-20260306-070809.dat");
    EXPECT_EQ(config::DamagedCopyPath(kPlaces.program, kNow, 3),
              kProgramFolder + kSep + L"Tessel.damaged-20260306-070809-3.dat");

    FakeFileSystem fs;
    fs.folders = {kProgramFolder};
    fs.files[kPlaces.program] = "first damage";
    config::UnreadFile unread{kPlaces.program, config::ReadFailure::bad_id, {}};
    std::uint32_t error = 0;
    ASSERT_TRUE(config::KeepUnreadFile(unread, fs, kNow, error));
    EXPECT_EQ(unread.copy, config::DamagedCopyPath(kPlaces.program, kNow, 1));
    EXPECT_TRUE(config::KeepUnreadFile(unread, fs, kNow, error)) << "kept once only";
    EXPECT_EQ(fs.FilesStartingWith(kProgramFolder + kSep + L"Tessel.damaged").size(), 1u);

    // A second damage in the same second gets a name of its own.
    fs.files[kPlaces.program] = "second damage";
    config::UnreadFile again{kPlaces.program, config::ReadFailure::too_short, {}};
    ASSERT_TRUE(config::KeepUnreadFile(again, fs, kNow, error));
    EXPECT_EQ(again.copy, config::DamagedCopyPath(kPlaces.program, kNow, 2));
    EXPECT_EQ(fs.files[unread.copy], "first damage");
    EXPECT_EQ(fs.files[again.copy], "second damage");
}

} // namespace
