#include "saver/DesktopRun.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/StopSignals.h"
#include "platform/Utf16.h"
#include "weftcpplib/CWeftLogManager.h"

namespace saver {

using weftcpplib::WeftLog;

int Fail(const char* program, const std::string& message, int exit_code)
{
    std::fprintf(stderr, "%s: %s\n", program, message.c_str());
    return exit_code;
}

std::optional<SettingsPlace> FindSettingsPlace(const std::optional<std::string>& data_path, std::string& error)
{
    SettingsPlace place{data_path.value_or(DefaultDataFile(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"))),
                        data_path.has_value()};
    if (place.path.empty()) {
        error = "no settings folder: neither XDG_CONFIG_HOME nor HOME is set";
        return std::nullopt;
    }
    if (std::string problem = SettingsFileProblem(place.path); !problem.empty()) {
        error = std::move(problem);
        return std::nullopt;
    }
    return place;
}

DesktopSettings::DesktopSettings(SettingsPlace place)
    : place_(std::move(place)), config_(platform::WideFromUtf8(place_.path)), store_(config_, place_.path)
{
}

bool DesktopSettings::Prepare(const RunOverrides& overrides, std::string& error)
{
    std::string folder_error;
    if (!place_.named && !store_.MakeFolders(folder_error))
        WeftLog().Print(weftcpplib::LOG_ERROR, L"settings folder : %ls", platform::WideFromUtf8(folder_error).c_str());
    store_.Load();
    store_.set_keeping(!overrides.any());
    return ApplyOverrides(overrides, config_, error);
}

int DesktopSettings::Finish(const char* program) const
{
    if (!store_.saved())
        return Fail(program, "settings not saved: " + WriteFailureText(config_));
    return 0;
}

void LogFrameCounts(std::uint64_t shown, std::uint64_t dropped)
{
    WeftLog().Print(weftcpplib::LOG_INFO, L"frames shown : %llu, dropped : %llu",
                    static_cast<unsigned long long>(shown), static_cast<unsigned long long>(dropped));
}

void StartProcess()
{
    platform::DefaultStopSignals();
    std::setlocale(LC_ALL, "");
}

int RefuseCommandLine(const char* program, const std::string& error, const char* usage)
{
    std::fprintf(stderr, "%s: %s\n%s", program, error.c_str(), usage);
    return kUsageExit;
}

int PrintUsage(const char* usage)
{
    std::fputs(usage, stdout);
    return 0;
}

} // namespace saver
