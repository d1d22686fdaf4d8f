// tessel-wayland: the saver as a layer-shell client, on every output of a
// Wayland compositor, run by an idle daemon or by swaylock-plugin.
#include <string>

#include "platform/StopSignals.h"
#include "saver/DesktopRun.h"
#include "saver/FrameHost.h"
#include "saver/SaverParts.h"
#include "saver/wayland/Connection.h"
#include "saver/wayland/Options.h"
#include "saver/wayland/Session.h"
#include "saver/wayland/WaylandFrontEnd.h"

namespace {

using namespace saver::wayland;

constexpr char kProgram[] = "tessel-wayland";

int Fail(const std::string& message, int exit_code = saver::kFailureExit)
{
    return saver::Fail(kProgram, message, exit_code);
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
    saver::LogFrameCounts(front.frames_shown(), front.frames_dropped());
    return ending;
}

int RunSaver(const Options& options)
{
    std::string error;
    const auto place = saver::FindSettingsPlace(options.data_path, error);
    if (!place)
        return Fail(error);

    // The log is set up first; the settings file (tessel-x11's: the same
    // Tessel.dat in the same folder, under the same lock) is read only once
    // there is somewhere to draw.
    saver::DesktopSettings settings(*place);
    Connection connection;
    if (!connection.ok())
        return Fail(connection.error());
    Session session(connection, options.background);
    if (!connection.ReadGlobals())
        return Fail(connection.error());

    if (!settings.Prepare(OverridesOf(options), error))
        return Fail(error, saver::kUsageExit);
    const saver::SaverParts parts(settings.config(), options.seed);

    // From the first frame on, a signal ends the loop in good order.
    platform::StopSignals signals;
    if (!signals.ok())
        return Fail("signals cannot be watched");
    const Ending ending = RunHost(parts, settings.store(), session, signals);
    if (ending == Ending::lost)
        return Fail("the compositor closed the connection");
    return settings.Finish(kProgram);
}

} // namespace

int main(int argc, char** argv)
{
    return saver::DesktopMain(kProgram, argc, argv, ParseOptions, UsageText(), RunSaver);
}
