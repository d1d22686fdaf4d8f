#include "saver/x11/SettingsFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Utf16.h"

namespace saver::x11 {

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

bool MakeFoldersFor(const std::string& file, std::string& error)
{
    const std::size_t last = file.rfind('/');
    if (last == std::string::npos || last == 0)
        return true;
    for (std::size_t at = file.find('/', 1); at != std::string::npos && at <= last; at = file.find('/', at + 1)) {
        const std::string folder = file.substr(0, at);
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            error = folder + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

FolderLock::FolderLock(const std::string& file)
{
    const std::size_t last = file.rfind('/');
    const std::string folder = last == std::string::npos ? "." : last == 0 ? "/" : file.substr(0, last);
    fd_ = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ >= 0 && flock(fd_, LOCK_EX) != 0) {
        close(fd_);
        fd_ = -1;
    }
}

FolderLock::~FolderLock()
{
    if (fd_ >= 0)
        close(fd_);
}

void UseDataFile(config::WeftConfig& config, const std::string& path)
{
    config.data_file_path.clear();
    config.user_data_file_path = platform::WideFromUtf8(path);
}

bool ApplyOverrides(const Options& options, config::WeftConfig& config, std::string& error)
{
    if (options.fps)
        config.settings.fps = *options.fps;
    if (options.scene) {
        for (std::size_t i = 0; i < config.scene_list.size(); ++i) {
            if (config.scene_list[i].no == *options.scene) {
                config.settings.play = config::PLAY_RULE_SELECT;
                config.settings.select = static_cast<std::int32_t>(i);
                config.SetCurrentScene(config.scene_list[i]);
                return true;
            }
        }
        error = "no scene number " + std::to_string(*options.scene) + " in the settings";
        return false;
    }
    return true;
}

} // namespace saver::x11
