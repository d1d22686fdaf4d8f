#include "saver/x11/SettingsFile.h"

#include "platform/Files.h"
#include "platform/System.h"
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
    return platform::MakePrivateFolders(file.substr(0, last), error);
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
