#include "saver/UserSettingsStore.h"

#include <utility>

#include "platform/Files.h"
#include "platform/PrivateFolder.h"
#include "platform/System.h"
#include "platform/Utf16.h"

namespace saver {

std::string DefaultDataFile(const char* xdg_config_home, const char* home)
{
    std::string folder;
    // Relative values are to be ignored.
    if (xdg_config_home && xdg_config_home[0] == '/')
        folder = xdg_config_home;
    else if (home && home[0] == '/')
        folder = std::string(home) + "/.config";
    else
        return {};
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    // "/.config" of a home that is the root itself stays one slash.
    for (std::size_t at; (at = folder.find("//")) != std::string::npos;)
        folder.erase(at, 1);
    return folder + "/tessel/Tessel.dat";
}

std::string SettingsFileProblem(const std::string& path)
{
    switch (platform::KindOfPath(platform::WideFromUtf8(path))) {
    case platform::PathKind::none:
    case platform::PathKind::file:
        return {};
    case platform::PathKind::folder:
        return path + ": a folder, not a settings file";
    case platform::PathKind::other:
        break;
    }
    return path + ": not a regular file (a device, FIFO or socket): settings are read from and saved to "
                  "regular files only";
}

std::string WriteFailureText(const config::WeftConfig& config)
{
    if (config.write_failures.empty())
        return {};
    const config::WriteFailure& failure = config.write_failures.back();
    std::wstring reason;
    if (!platform::SystemErrorText(failure.error, reason))
        reason = L"error " + std::to_wstring(failure.error);
    return platform::Utf8FromWide(failure.path + L": " + reason);
}

UserSettingsStore::UserSettingsStore(config::WeftConfig& config, std::string path)
    : ModelStore(config), path_(std::move(path))
{
    config_.data_file_path.clear();
    config_.user_data_file_path = platform::WideFromUtf8(path_);
}

bool UserSettingsStore::MakeFolders(std::string& error) const
{
    const std::size_t last = path_.rfind('/');
    if (last == std::string::npos || last == 0)
        return true;
    return platform::MakePrivateFolders(path_.substr(0, last), error);
}

bool UserSettingsStore::Load()
{
    const platform::FolderLock lock(path_);
    const bool existed = platform::KindOfPath(config_.user_data_file_path) != platform::PathKind::none;
    read_whole_ = config_.ReadDataFile();
    if (!existed)
        config_.WriteDataFile();
    loaded_ = true;
    return read_whole_;
}

bool UserSettingsStore::Write()
{
    if (!keeping_)
        return true;
    const platform::FolderLock lock(path_);
    saved_ = config_.WriteDataFile();
    return saved_;
}

} // namespace saver
