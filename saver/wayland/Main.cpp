// tessel-wayland: the saver as a layer-shell client, on every output of a
// Wayland compositor, run by an idle daemon or by swaylock-plugin.
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "config/WeftConfig.h"
#include "platform/StopSignals.h"
#include "platform/Utf16.h"
#include "saver/FrameHost.h"
#include "saver/SaverParts.h"
#include "saver/UserSettingsStore.h"
#include "saver/wayland/Connection.h"
#include "saver/wayland/Options.h"
#include "saver/wayland/Session.h"
#include "saver/wayland/WaylandFrontEnd.h"
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

// The settings model, made once the log is.
struct SaverObjects {
    SaverObjects() { weftcpplib::WeftLog(); }
    config::WeftConfig config;
};

// Reads the settings file (tessel-x11's: the same Tessel.dat in the same
// folder, under the same lock), making it with the defaults on the first run,
// and applies the run's own settings, which are then not kept. False, with
// the reason, for a --scene the settings do not have.
bool PrepareSettings(const Options& options, saver::UserSettingsStore& store, config::WeftConfig& config,
                     std::string& error)
{
    std::string folder_error;
    if (!options.data_path && !store.MakeFolders(folder_error))
        WeftLog().Print(weftcpplib::LOG_ERROR, L"settings folder : %ls",
                        platform::WideFromUtf8(folder_error).c_str());
    store.Load();
    store.set_keeping(!OverridesOf(options).any());
    return saver::ApplyOverrides(OverridesOf(options), config, error);
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

// Runs the session with the frame host over the prepared settings. As the
// Windows saver does when its window closes, the store keeps the scene that
// was playing (unless this run's settings were forced).
Ending RunHost(const saver::SaverParts& parts, saver::UserSettingsStore& store, Session& session,
               platform::StopSignals& signals)
{
    WaylandFrontEnd front;
    saver::FrameHost host = parts.MakeHost(front, store);
    Host control(host);
    const Ending ending = session.Run(front, control, signals);
    host.Stop();
    WeftLog().Print(LOG_INFO, L"frames shown : %llu, dropped : %llu",
                    static_cast<unsigned long long>(front.frames_shown()),
                    static_cast<unsigned long long>(front.frames_dropped()));
    return ending;
}

int RunSaver(const Options& options)
{
    const std::string path = options.data_path.value_or(
        saver::DefaultDataFile(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")));
    if (path.empty())
        return Fail("no settings folder: neither XDG_CONFIG_HOME nor HOME is set");
    if (const std::string problem = saver::SettingsFileProblem(path); !problem.empty())
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

    saver::UserSettingsStore store(objects.config, path);
    std::string error;
    if (!PrepareSettings(options, store, objects.config, error)) {
        std::fprintf(stderr, "tessel-wayland: %s\n", error.c_str());
        return kUsageExit;
    }
    const saver::SaverParts parts(objects.config, options.seed);

    // From the first frame on, a signal ends the loop in good order.
    platform::StopSignals signals;
    if (!signals.ok())
        return Fail("signals cannot be watched");
    const Ending ending = RunHost(parts, store, session, signals);
    if (ending == Ending::lost)
        return Fail("the compositor closed the connection");
    if (!store.saved())
        return Fail("settings not saved: " + saver::WriteFailureText(objects.config));
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
