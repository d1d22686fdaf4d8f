#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "saver/FrontEnd.h"
#include "saver/wayland/LayerSurface.h"
#include "saver/FrameTimer.h"

// The outputs' layers as the frame host's front end: the monotonic clock, a
// frame timer that the program's loop waits on, and each frame drawn into
// every output that wants one, each its own part of the virtual screen.
namespace saver::wayland {

class WaylandFrontEnd final : public FrontEnd {
public:
    struct Target {
        LayerSurface* surface;
        Rect where; // the output in the virtual screen
    };

    std::uint32_t NowMs() override;
    void SetFrameInterval(std::uint32_t interval_ms) override;
    void Present(const weftcpplib::CDIBData& image, std::span<const BlitPlan> plans) override;
    // The same, with the tiles straight into each output's buffer.
    void PresentFrame(const FrameImage& frame, std::span<const BlitPlan> plans) override;

    // The outputs drawn from now on.
    void SetTargets(std::vector<Target> targets) { targets_ = std::move(targets); }
    // Some output would show a frame now: else a tick is work for nobody.
    bool AnyWantsFrame() const;

    saver::FrameTimer& timer() { return timer_; }
    std::uint64_t frames_shown() const { return shown_; }
    std::uint64_t frames_dropped() const { return dropped_; }

private:
    saver::FrameTimer timer_;
    std::vector<Target> targets_;
    std::uint64_t shown_ = 0, dropped_ = 0;
};

} // namespace saver::wayland
