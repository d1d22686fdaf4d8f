// tessel-x11: the saver as an X11 display program, as XScreenSaver runs them.
#include "saver/x11/XlibHeaders.h"

#include <cstdlib>
#include <string>

#include "platform/StopSignals.h"
#include "saver/DesktopRun.h"
#include "saver/FrameHost.h"
#include "saver/SaverParts.h"
#include "saver/x11/Options.h"
#include "saver/x11/TargetWindow.h"
#include "saver/x11/WindowDisplay.h"
#include "saver/x11/X11FrontEnd.h"
#include "saver/x11/XErrors.h"
#include "weftcpplib/CWeftLogManager.h"

namespace {

using namespace saver::x11;
using weftcpplib::LOG_INFO;
using weftcpplib::WeftLog;

constexpr char kProgram[] = "tessel-x11";

int Fail(const std::string& message, int exit_code = saver::kFailureExit)
{
    return saver::Fail(kProgram, message, exit_code);
}

enum class Ending { running, signal, window_gone, closed };

class Loop {
public:
    Loop(Display* display, TargetWindow& window, X11FrontEnd& front, saver::FrameHost& host,
         platform::StopSignals& signals)
        : display_(display), window_(window), front_(front), host_(host), signals_(signals)
    {
    }

    Ending Run()
    {
        while (ending_ == Ending::running) {
            while (ending_ == Ending::running && XPending(display_) > 0) {
                XEvent event;
                XNextEvent(display_, &event);
                Handle(event);
            }
            if (XErrors().window_gone)
                ending_ = Ending::window_gone;
            if (ending_ != Ending::running)
                break;
            // Polled even when a tick is due at once, so that a machine too
            // slow for the frame rate still hears a signal.
            Wait(front_.timer().WaitMs(front_.NowMs()));
            const std::uint32_t now = front_.NowMs();
            if (ending_ == Ending::running && front_.timer().Due(now)) {
                front_.timer().Fired(now);
                host_.Tick(front_.width(), front_.height());
            }
        }
        return ending_;
    }

private:
    void Wait(int timeout_ms)
    {
        const platform::StopSignals::Wake wake = signals_.Wait(ConnectionNumber(display_), timeout_ms);
        if (wake.signal != 0)
            WeftLog().Print(LOG_INFO, L"signal %d : ending", wake.signal);
        if (wake.signal != 0 || wake.failed)
            ending_ = Ending::signal;
    }

    void Handle(const XEvent& event)
    {
        if (front_.HandleCompletion(event))
            return;
        if (window_.IsCloseRequest(event)) {
            ending_ = Ending::closed;
            return;
        }
        if (event.type == DestroyNotify && event.xdestroywindow.window == window_.id()) {
            ending_ = Ending::window_gone;
        } else if (event.type == ConfigureNotify && event.xconfigure.window == window_.id()) {
            if (front_.Resize(event.xconfigure.width, event.xconfigure.height)) {
                WeftLog().Print(LOG_INFO, L"window size : %d x %d", front_.width(), front_.height());
                host_.SetDisplay(DisplayForWindow(front_.width(), front_.height()));
            }
        }
    }

    Display* display_;
    TargetWindow& window_;
    X11FrontEnd& front_;
    saver::FrameHost& host_;
    platform::StopSignals& signals_;
    Ending ending_ = Ending::running;
};

int RunSaver(const Options& options)
{
    std::string error;
    const auto target = ResolveTarget(options, std::getenv("XSCREENSAVER_WINDOW"), error);
    if (!target)
        return Fail(error);

    const auto place = saver::FindSettingsPlace(options.data_path, error);
    if (!place)
        return Fail(error);

    // The log is set up first; the settings file is read only once there
    // is somewhere to draw.
    saver::DesktopSettings settings(*place);
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return Fail("cannot open the display");
    InstallXErrorHandlers();
    auto window = TargetWindow::Open(display, *target, error);
    if (!window) {
        XCloseDisplay(display);
        return Fail(error);
    }
    if (const std::string problem = UndrawableVisual(display, window->id()); !problem.empty()) {
        window->Close(display);
        XCloseDisplay(display);
        return Fail(problem);
    }

    if (!settings.Prepare(OverridesOf(options), error)) {
        window->Close(display);
        XCloseDisplay(display);
        return Fail(error, saver::kUsageExit);
    }
    const saver::SaverParts parts(settings.config(), options.seed);

    Ending ending;
    {
        // From the first frame on, a signal ends the loop in good order.
        platform::StopSignals signals;
        if (!signals.ok())
            return Fail("signals cannot be watched");
        X11FrontEnd front(display, window->id(), options.use_shm);
        saver::FrameHost host = parts.MakeHost(front, settings.store());
        const saver::DisplayInfo screen = DisplayForWindow(front.width(), front.height());
        host.Start(saver::CreateInfo::FullScreen(screen.screen_width, screen.screen_height));
        host.SetDisplay(screen);
        ending = Loop(display, *window, front, host, signals).Run();
        // As the Windows saver does when its window closes: the scene that
        // was playing is stored, unless this run's settings were forced.
        host.Stop();
        saver::LogFrameCounts(front.frames_shown(), front.frames_dropped());
    }
    if (ending != Ending::window_gone)
        window->Close(display);
    XCloseDisplay(display);
    return settings.Finish(kProgram);
}

} // namespace

int main(int argc, char** argv)
{
    return saver::DesktopMain(kProgram, argc, argv, ParseOptions, UsageText(), RunSaver);
}
