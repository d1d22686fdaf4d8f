#include "saver/wayland/Session.h"

#include <algorithm>
#include <cerrno>

#include "platform/Utf16.h"
#include "saver/wayland/OutputLayout.h"
#include "weftcpplib/CWeftLogManager.h"

namespace saver::wayland {
namespace {

using weftcpplib::LOG_INFO;
using weftcpplib::WeftLog;

} // namespace

struct Session::Output {
    std::uint32_t id;
    Owned<wl_output> output;
    std::string name;
    int scale = 1;
    bool described = false; // its first done came
    bool closed = false;    // the compositor closed its layer: not shown again
    std::unique_ptr<LayerSurface> surface;
};

Session::Session(Connection& connection, bool background) : connection_(connection), background_(background)
{
    connection_.output_added = [this](std::uint32_t id, wl_output* output) { Added(id, output); };
    connection_.global_removed = [this](std::uint32_t id) { Removed(id); };
}

Session::~Session()
{
    connection_.output_added = nullptr;
    connection_.global_removed = nullptr;
}

void Session::Added(std::uint32_t id, wl_output* output)
{
    auto made = std::make_unique<Output>(Output{id, Owned<wl_output>(output), "", 1, false, false, nullptr});
    static const wl_output_listener listener = {&Session::Geometry, &Session::Mode, &Session::Done,
                                                &Session::Scale,    &Session::Name, &Session::Description};
    wl_output_add_listener(output, &listener, made.get());
    outputs_.push_back(std::move(made));
}

void Session::Removed(std::uint32_t id)
{
    const auto gone = std::find_if(outputs_.begin(), outputs_.end(), [id](const auto& o) { return o->id == id; });
    if (gone == outputs_.end())
        return;
    WeftLog().Print(LOG_INFO, L"output %ls gone", platform::WideFromUtf8((*gone)->name).c_str());
    // Input events later in the same read must not find its layer.
    std::erase_if(targets_, [&](const auto& target) { return target.surface == (*gone)->surface.get(); });
    if (front_)
        front_->SetTargets(targets_);
    outputs_.erase(gone);
    layout_changed_ = true;
}

// An output's events only record what came: the loop acts on it once the
// events of the moment are all read.
void Session::Scale(void* data, wl_output*, std::int32_t factor)
{
    static_cast<Output*>(data)->scale = factor;
}

void Session::Name(void* data, wl_output*, const char* name)
{
    static_cast<Output*>(data)->name = name;
}

void Session::Done(void* data, wl_output*)
{
    auto& output = *static_cast<Output*>(data);
    output.described = true;
    if (output.surface)
        output.surface->SetScale(output.scale);
}

void Session::Show(Output& output)
{
    if (output.name.empty()) {
        // Outputs before version 4 have no name: their global's number.
        output.name = std::to_string(output.id);
    }
    output.surface = std::make_unique<LayerSurface>(connection_, output.output.get(), background_);
    output.surface->SetScale(output.scale);
    WeftLog().Print(LOG_INFO, L"output %ls : scale %d, %ls layer", platform::WideFromUtf8(output.name).c_str(),
                    output.scale, background_ ? L"background" : L"overlay");
}

void Session::FollowOutputs()
{
    for (auto& output : outputs_) {
        if (!output->surface && output->described && !output->closed)
            Show(*output);
        if (!output->surface)
            continue;
        if (output->surface->TakeResized())
            layout_changed_ = true;
        if (output->surface->closed()) {
            // The compositor will not show it again (its output is going).
            output->surface.reset();
            output->closed = true;
            layout_changed_ = true;
        }
    }
    if (!layout_changed_)
        return;
    layout_changed_ = false;
    std::vector<Size> sizes;
    std::vector<LayerSurface*> shown;
    for (auto& output : outputs_) {
        if (output->surface && output->surface->shown()) {
            sizes.push_back({output->surface->width(), output->surface->height()});
            shown.push_back(output->surface.get());
        }
    }
    display_ = LayOutOutputs(sizes);
    targets_.clear();
    for (std::size_t i = 0; i < shown.size(); ++i)
        targets_.push_back({shown[i], display_.monitors[i]});
    front_->SetTargets(targets_);
    WeftLog().Print(LOG_INFO, L"outputs shown : %d, %d x %d in all", static_cast<int>(shown.size()),
                    display_.client.width, display_.client.height);
    // With no output left the host keeps the last layout until one comes.
    if (shown.empty())
        return;
    if (!started_) {
        host_->Start({false, display_.screen_width, display_.screen_height, 96});
        started_ = true;
    }
    host_->SetDisplay(display_);
}

std::optional<PointerPlace> Session::Locate(wl_surface* surface, double x, double y) const
{
    for (const auto& target : targets_) {
        if (target.surface->surface() != surface)
            continue;
        const int scale = target.surface->scale();
        return PointerPlace{{static_cast<long>(target.where.x + x * scale), static_cast<long>(target.where.y + y * scale)},
                            {0, 0, display_.client.width, display_.client.height}};
    }
    return std::nullopt;
}

Ending Session::Run(WaylandFrontEnd& front, HostControl& host, platform::StopSignals& signals)
{
    front_ = &front;
    host_ = &host;
    if (!background_ && connection_.seat())
        seat_ = std::make_unique<Seat>(connection_.seat(), [this](wl_surface* s, double x, double y) {
            return Locate(s, x, y);
        });
    FollowOutputs();
    const Ending ending = Loop(signals);
    front.SetTargets({});
    return ending;
}

Ending Session::Loop(platform::StopSignals& signals)
{
    wl_display* display = connection_.display();
    while (true) {
        while (wl_display_prepare_read(display) != 0) {
            if (wl_display_dispatch_pending(display) < 0)
                return Ending::lost;
        }
        if (wl_display_flush(display) < 0 && errno != EAGAIN) {
            wl_display_cancel_read(display);
            return Ending::lost;
        }
        const int timeout = front_->timer().WaitMs(front_->NowMs());
        const platform::StopSignals::Wake wake = signals.Wait(wl_display_get_fd(display), timeout);
        if (wake.readable) {
            if (wl_display_read_events(display) < 0)
                return Ending::lost;
        } else {
            wl_display_cancel_read(display);
        }
        if (wl_display_dispatch_pending(display) < 0)
            return Ending::lost;
        if (wake.signal != 0 || wake.failed) {
            if (wake.signal != 0)
                WeftLog().Print(LOG_INFO, L"signal %d : ending", wake.signal);
            return Ending::signal;
        }
        if (seat_ && seat_->ended_by())
            return Ending::input;
        FollowOutputs();
        const std::uint32_t now = front_->NowMs();
        if (started_ && front_->timer().Due(now)) {
            front_->timer().Fired(now);
            // Outputs that are hidden or still busy with the last frame cost nothing.
            if (front_->AnyWantsFrame())
                host_->Tick(display_.client.width, display_.client.height);
        }
    }
}

} // namespace saver::wayland
