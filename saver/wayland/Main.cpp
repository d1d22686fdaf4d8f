// tessel-wayland: the saver as a layer-shell client, on every output of a
// Wayland compositor, run by an idle daemon or by swaylock-plugin.
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "config/SceneScheduler.h"
#include "config/WeftConfig.h"
#include "core/CAEngine.h"
#include "platform/Files.h"
#include "platform/StopSignals.h"
#include "platform/Utf16.h"
#include "saver/FrameHost.h"
#include "saver/SeededRandom.h"
#include "saver/wayland/Connection.h"
#include "saver/wayland/Options.h"
#include "saver/wayland/Session.h"
#include "saver/wayland/WaylandFrontEnd.h"
#include "saver/x11/SettingsFile.h"
#include "weftcpplib/CWeftLogManager.h"

namespace {

using namespace saver::wayland;
using weftcpplib::LOG_INFO;
using weftcpplib::WeftLog;

constexpr int kUsageExit = 2;

int Fail(const std::string& message)
{
    std::fprintf(stderr, "tessel-wayland: %s\n", message.c_str());
    return 1;
}

// The process-wide objects of the saver, in the order they depend on.
struct SaverObjects {
    SaverObjects() { weftcpplib::WeftLog(); }
    config::WeftConfig config;
    config::SceneScheduler scheduler;
    core::CAEngine engine;
};

// The settings are tessel-x11's: the same Tessel.dat in the same folder,
// under the same lock.
saver::x11::Options SettingsOptions(const Options& options)
{
    saver::x11::Options forced;
    forced.scene = options.scene;
    forced.fps = options.fps;
    forced.data_path = options.data_path;
    return forced;
}

// Reads the data file at path, making it with the defaults on the first run,
// and applies the run's own settings. False, with the reason, for a --scene
// the settings do not have.
bool PrepareSettings(const Options& options, const std::string& path, config::WeftConfig& config, std::string& error)
{
    std::string folder_error;
    if (!options.data_path && !saver::x11::MakeFoldersFor(path, folder_error))
        WeftLog().Print(weftcpplib::LOG_ERROR, L"settings folder : %ls",
                        platform::WideFromUtf8(folder_error).c_str());
    saver::x11::UseDataFile(config, path);
    {
        const saver::x11::FolderLock lock(path);
        const bool existed = platform::KindOfPath(config.user_data_file_path) != platform::PathKind::none;
        config.ReadDataFile();
        if (!existed)
            config.WriteDataFile();
    }
    return saver::x11::ApplyOverrides(SettingsOptions(options), config, error);
}

// The frame host as the session drives it.
class Host final : public HostControl {
public:
    explicit Host(saver::FrameHost& host) : host_(host) {}
    void Start(const saver::CreateInfo& info) override { host_.Start(info); }
    void SetDisplay(const saver::DisplayInfo& display) override { host_.SetDisplay(display); }
    void Tick(int client_width, int client_height) override { host_.Tick(client_width, client_height); }

private:
    saver::FrameHost& host_;
};

// Runs the session with the frame host over the prepared settings; false
// when the settings could not be saved at the end.
bool RunHost(const Options& options, SaverObjects& objects, Session& session, platform::StopSignals& signals,
             Ending& ending)
{
    WaylandFrontEnd front;
    saver::FrameHost host(front, objects.config, objects.scheduler, objects.engine,
                          saver::FrameHost::Options{.use_data_file = false});
    Host control(host);
    ending = session.Run(front, control, signals);
    bool saved = true;
    // As the Windows saver does when its window closes: the scene that was
    // playing is stored, unless this run's settings were forced.
    if (!OverridesSettings(options)) {
        const saver::x11::FolderLock lock(platform::Utf8FromWide(objects.config.user_data_file_path));
        saved = objects.config.WriteDataFile();
    }
    host.Stop();
    WeftLog().Print(LOG_INFO, L"frames shown : %llu, dropped : %llu",
                    static_cast<unsigned long long>(front.frames_shown()),
                    static_cast<unsigned long long>(front.frames_dropped()));
    return saved;
}

int RunSaver(const Options& options)
{
    const std::string path = options.data_path.value_or(
        saver::x11::DefaultDataFile(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")));
    if (path.empty())
        return Fail("no settings folder: neither XDG_CONFIG_HOME nor HOME is set");
    if (const std::string problem = saver::x11::SettingsFileProblem(path); !problem.empty())
        return Fail(problem);

    // The log is set up first; the settings file is read only once there
    // is somewhere to draw.
    SaverObjects objects;
    Connection connection;
    if (!connection.ok())
        return Fail(connection.error());
    Session session(connection, options.background);
    if (!connection.ReadGlobals())
        return Fail(connection.error());

    std::string error;
    if (!PrepareSettings(options, path, objects.config, error)) {
        std::fprintf(stderr, "tessel-wayland: %s\n", error.c_str());
        return kUsageExit;
    }
    std::optional<saver::SeededRandom> seeded;
    std::optional<platform::ScopedRandomSource> seeded_in_force;
    if (options.seed) {
        seeded.emplace(*options.seed);
        seeded_in_force.emplace(*seeded);
    }

    // From the first frame on, a signal ends the loop in good order.
    platform::StopSignals signals;
    if (!signals.ok())
        return Fail("signals cannot be watched");
    Ending ending = Ending::signal;
    const bool saved = RunHost(options, objects, session, signals, ending);
    if (ending == Ending::lost)
        return Fail("the compositor closed the connection");
    if (!saved)
        return Fail("settings not saved: " + saver::x11::WriteFailureText(objects.config));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    platform::DefaultStopSignals();
    std::setlocale(LC_ALL, "");
    std::string error;
    const auto options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "tessel-wayland: %s\n%s", error.c_str(), UsageText());
        return kUsageExit;
    }
    if (options->help) {
        std::fputs(UsageText(), stdout);
        return 0;
    }
    try {
        return RunSaver(*options);
    } catch (const std::bad_alloc&) {
        return Fail("out of memory");
    }
}
