#include "config/DataFilePlaces.h"

#include "config/DataFileFormat.h"
#include "config/WeftConfig.h"
#include "platform/Files.h"
#include "platform/Utf16.h"
#include "weftcpplib/CWeftLogManager.h"
#include "weftcpplib/FaultReport.h"
#include "weftcpplib/WideFormat.h"

namespace config {

using weftcpplib::LOG_ERROR;
using weftcpplib::LOG_INFO;
using weftcpplib::LOG_WARN;
using weftcpplib::WeftLog;

namespace {

class RealFileSystem final : public PlaceFileSystem {
public:
    bool Exists(const std::wstring& path) const override
    {
        return platform::KindOfPath(path) != platform::PathKind::none;
    }
    bool MakeFolder(const std::wstring& folder, std::uint32_t& error) override
    {
        return platform::MakeFolder(folder, error);
    }
    bool CopyToNewFile(const std::wstring& from, const std::wstring& to, std::uint32_t& error) override
    {
        // A damaged file's bytes beyond what any settings file holds are no
        // settings.
        return platform::CopyToNewFile(from, to, kLargestSoundFileSize, error);
    }
};

// The copies of damaged files taken within one second get numbers.
constexpr int kCopyAttempts = 100;

bool MakeFolderOf(const std::wstring& file, PlaceFileSystem& fs, std::uint32_t& error)
{
    std::wstring folder;
    if (!weftcpplib::FolderOfPath(file, platform::kPathSeparator, folder) || folder.size() < 2) {
        error = platform::PathNotFoundError();
        return false;
    }
    folder.pop_back();  // the system makes "a\b", not "a\b\"
    if (fs.Exists(folder))
        return true;
    if (!fs.MakeFolder(folder, error))
        return false;
    WeftLog().Print(LOG_INFO, L"folder made : %ls", folder.c_str());
    return true;
}

} // namespace

PlaceFileSystem& SystemFileSystem()
{
    static RealFileSystem system;
    return system;
}

ReadChoice ChooseFileToRead(const DataFilePlaces& places, const PlaceFileSystem& fs)
{
    if (!places.user.empty() && fs.Exists(places.user))
        return {places.user, L"per-user file, written when the program's folder could not be"};
    if (!places.program.empty() && fs.Exists(places.program))
        return {places.program, L"beside the program"};
    return {{}, L"no data file yet : defaults"};
}

std::wstring DamagedCopyPath(const std::wstring& data_file, const platform::LocalTime& when, int attempt)
{
    static constexpr std::wstring_view kExtension = L".dat";
    std::wstring stem = data_file;
    if (stem.ends_with(kExtension))
        stem.resize(stem.size() - kExtension.size());
    wchar_t stamp[48];
    if (attempt <= 1)
        weftcpplib::FormatWide(stamp, 48, L".damaged-%04d%02d%02d-%02d%02d%02d", when.year, when.month, when.day,
                               when.hour, when.minute, when.second);
    else
        weftcpplib::FormatWide(stamp, 48, L".damaged-%04d%02d%02d-%02d%02d%02d-%d", when.year, when.month,
                               when.day, when.hour, when.minute, when.second, attempt);
    return stem + stamp + std::wstring(kExtension);
}

bool KeepUnreadFile(UnreadFile& file, PlaceFileSystem& fs, const platform::LocalTime& now, std::uint32_t& error)
{
    if (file.path.empty() || !file.copy.empty())
        return true;
    if (file.failure == ReadFailure::not_a_file) {
        // A folder holds no settings to keep, and is never replaced.
        error = platform::FolderInTheWayError();
        WeftLog().Print(LOG_WARN, L"data file place is taken by a folder, left as it is : %ls", file.path.c_str());
        return false;
    }
    for (int attempt = 1; attempt <= kCopyAttempts; ++attempt) {
        const std::wstring copy = DamagedCopyPath(file.path, now, attempt);
        if (fs.Exists(copy))
            continue;
        if (!fs.CopyToNewFile(file.path, copy, error)) {
            WeftLog().Print(LOG_ERROR, L"damaged data file could not be kept : %ls -> %ls : %ls", file.path.c_str(),
                            copy.c_str(), weftcpplib::ErrorTextLine(error).c_str());
            return false;
        }
        file.copy = copy;
        WeftLog().Print(LOG_WARN, L"damaged data file kept : %ls -> %ls", file.path.c_str(), copy.c_str());
        return true;
    }
    error = platform::FileExistsError();
    WeftLog().Print(LOG_ERROR, L"damaged data file could not be kept : every copy name of %ls is taken",
                    file.path.c_str());
    return false;
}

std::wstring StoreInPlaces(const DataFilePlaces& places, PlaceFileSystem& fs, UnreadFile& unread,
                           const platform::LocalTime& now, const StoreFunction& store,
                           std::vector<WriteFailure>& failures)
{
    failures.clear();
    std::vector<std::wstring> order;
    const bool user_file_exists = !places.user.empty() && fs.Exists(places.user);
    if (!user_file_exists && !places.program.empty())
        order.push_back(places.program);
    if (!places.user.empty())
        order.push_back(places.user);
    if (order.empty()) {
        WeftLog().Print(LOG_ERROR, L"data file has no usable place");
        failures.push_back({{}, platform::PathNotFoundError()});
        return {};
    }

    for (const std::wstring& path : order) {
        if (!failures.empty())
            WeftLog().Print(LOG_WARN, L"data file not saved at %ls : trying %ls", failures.back().path.c_str(),
                            path.c_str());
        std::uint32_t error = 0;
        if (path == places.user && !MakeFolderOf(path, fs, error)) {
            WeftLog().Print(LOG_ERROR, L"folder of %ls could not be made : %ls", path.c_str(),
                            weftcpplib::ErrorTextLine(error).c_str());
            failures.push_back({path, error});
            continue;
        }
        // What could not be read is never overwritten before it is kept.
        if (path == unread.path && !KeepUnreadFile(unread, fs, now, error)) {
            failures.push_back({path, error});
            continue;
        }
        if (!store(path, error)) {
            failures.push_back({path, error});
            continue;
        }
        if (path == unread.path)
            unread = {};
        if (path == places.user && !user_file_exists)
            WeftLog().Print(LOG_INFO, L"data file saved per user : %ls", path.c_str());
        failures.clear();
        return path;
    }
    return {};
}

namespace {

// Length of text once stored as UTF-16 (wchar_t is UTF-32 off Windows).
std::size_t Utf16Units(const std::wstring& text)
{
    std::string bytes;
    platform::AppendUtf16LE(text, bytes);
    return bytes.size() / 2;
}

} // namespace

std::wstring DataFilePathIn(const std::wstring& folder)
{
    std::wstring path = folder + kDataFileName;
    const std::size_t units = Utf16Units(path);
    if (units >= kMaxPathUnits) {
        weftcpplib::WeftLog().Print(weftcpplib::LOG_ERROR, L"data file path too long (%d units) : %ls",
                                    static_cast<int>(units), path.c_str());
        return {};
    }
    return path;
}

} // namespace config
