// tessel-x11: the saver as an X11 display program, as XScreenSaver runs them.
#include "saver/x11/XlibHeaders.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "config/WeftConfig.h"
#include "platform/StopSignals.h"
#include "saver/FrameHost.h"
#include "saver/SaverParts.h"
#include "saver/UserSettingsStore.h"
#include "saver/x11/Options.h"
#include "saver/x11/TargetWindow.h"
#include "saver/x11/WindowDisplay.h"
#include "saver/x11/X11FrontEnd.h"
#include "saver/x11/XErrors.h"
#include "weftcpplib/CWeftLogManager.h"
#include "platform/Utf16.h"

namespace {

using namespace saver::x11;
using weftcpplib::LOG_INFO;
using weftcpplib::WeftLog;

constexpr int kUsageExit = 2;

int Fail(const std::string& message)
{
    std::fprintf(stderr, "tessel-x11: %s\n", message.c_str());
    return 1;
}

// The settings model, made once the log is.
struct SaverObjects {
    SaverObjects() { weftcpplib::WeftLog(); }
    config::WeftConfig config;
};

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

// Reads the settings file, making it with the defaults on the first run,
// and applies the run's own settings, which are then not kept. False, with
// the reason, for a -scene the settings do not have.
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

int RunSaver(const Options& options)
{
    std::string error;
    const auto target = ResolveTarget(options, std::getenv("XSCREENSAVER_WINDOW"), error);
    if (!target)
        return Fail(error);

    const std::string path =
        options.data_path.value_or(saver::DefaultDataFile(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")));
    if (path.empty())
        return Fail("no settings folder: neither XDG_CONFIG_HOME nor HOME is set");
    if (const std::string problem = saver::SettingsFileProblem(path); !problem.empty())
        return Fail(problem);

    // The log is set up first; the settings file is read only once there
    // is somewhere to draw.
    SaverObjects saver_objects;
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

    saver::UserSettingsStore store(saver_objects.config, path);
    if (!PrepareSettings(options, store, saver_objects.config, error)) {
        std::fprintf(stderr, "tessel-x11: %s\n", error.c_str());
        window->Close(display);
        XCloseDisplay(display);
        return kUsageExit;
    }
    const saver::SaverParts parts(saver_objects.config, options.seed);

    Ending ending;
    {
        // From the first frame on, a signal ends the loop in good order.
        platform::StopSignals signals;
        if (!signals.ok())
            return Fail("signals cannot be watched");
        X11FrontEnd front(display, window->id(), options.use_shm);
        saver::FrameHost host = parts.MakeHost(front, store);
        const saver::DisplayInfo screen = DisplayForWindow(front.width(), front.height());
        host.Start(saver::CreateInfo::FullScreen(screen.screen_width, screen.screen_height));
        host.SetDisplay(screen);
        ending = Loop(display, *window, front, host, signals).Run();
        // As the Windows saver does when its window closes: the scene that
        // was playing is stored, unless this run's settings were forced.
        host.Stop();
        WeftLog().Print(LOG_INFO, L"frames shown : %llu, dropped : %llu",
                        static_cast<unsigned long long>(front.frames_shown()),
                        static_cast<unsigned long long>(front.frames_dropped()));
    }
    if (ending != Ending::window_gone)
        window->Close(display);
    XCloseDisplay(display);
    if (!store.saved())
        return Fail("settings not saved: " + saver::WriteFailureText(saver_objects.config));
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
        std::fprintf(stderr, "tessel-x11: %s\n%s", error.c_str(), UsageText());
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
