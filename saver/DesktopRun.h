#pragma once
#include <cstdint>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "config/WeftConfig.h"
#include "saver/RunOverrides.h"
#include "saver/UserSettingsStore.h"

// The start and end that the desktop savers (tessel-x11, tessel-wayland)
// share; they differ only in where and how they draw.
namespace saver {

constexpr int kFailureExit = 1;
constexpr int kUsageExit = 2;

// Prints "program: message" on stderr and returns exit_code.
int Fail(const char* program, const std::string& message, int exit_code = kFailureExit);

// Where the run's settings live.
struct SettingsPlace {
    std::string path;
    bool named = false; // by -data: its folder is the user's to make
};

// The file named on the command line, else the user's own. Nothing, with the
// reason, when there is none or it cannot hold settings.
std::optional<SettingsPlace> FindSettingsPlace(const std::optional<std::string>& data_path, std::string& error);

// The settings model over the run's file, which sets up the log as it is
// made, and its store, the model's only place.
class DesktopSettings {
public:
    explicit DesktopSettings(SettingsPlace place);

    // Reads the file, making it with the defaults on the first run, and
    // applies the run's own settings, which are then not kept. False, with
    // the reason, for a scene the settings do not have.
    bool Prepare(const RunOverrides& overrides, std::string& error);
    // The run's exit code once the store has had its last say: a failed
    // save is reported as program's.
    int Finish(const char* program) const;

    config::WeftConfig& config() { return config_; }
    UserSettingsStore& store() { return store_; }

private:
    SettingsPlace place_;
    config::WeftConfig config_;
    UserSettingsStore store_;
};

// The run's last log line: how its frames fared.
void LogFrameCounts(std::uint64_t shown, std::uint64_t dropped);

// The parts of a desktop saver's entry: the process's signals and locale, and
// the command line's refusals.
void StartProcess();
int RefuseCommandLine(const char* program, const std::string& error, const char* usage);
int PrintUsage(const char* usage);

// The entry of a desktop saver: a bad command line is refused with the usage,
// --help prints it, else the run, which running out of memory ends.
template <typename Options>
int DesktopMain(const char* program, int argc, char** argv,
                std::optional<Options> (*parse)(const std::vector<std::string>&, std::string&), const char* usage,
                int (*run)(const Options&))
{
    StartProcess();
    std::string error;
    const std::optional<Options> options = parse(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options)
        return RefuseCommandLine(program, error, usage);
    if (options->help)
        return PrintUsage(usage);
    try {
        return run(*options);
    } catch (const std::bad_alloc&) {
        return Fail(program, "out of memory");
    }
}

} // namespace saver
