#include "saver/wayland/WaylandFrontEnd.h"

#include "platform/System.h"
#include "saver/FrameBuffer.h"

namespace saver::wayland {

std::uint32_t WaylandFrontEnd::NowMs()
{
    return platform::TickCountMs();
}

void WaylandFrontEnd::SetFrameInterval(std::uint32_t interval_ms)
{
    timer_.Set(interval_ms, NowMs());
}

bool WaylandFrontEnd::AnyWantsFrame() const
{
    for (const Target& target : targets_) {
        if (target.surface->WantsFrame())
            return true;
    }
    return false;
}

void WaylandFrontEnd::Present(const weftcpplib::CDIBData& image, std::span<const BlitPlan> plans)
{
    PresentFrame(FrameImage(image), plans);
}

void WaylandFrontEnd::PresentFrame(const FrameImage& frame, std::span<const BlitPlan> plans)
{
    // Each image goes to the outputs of its size; an output none of the
    // plans reach is left alone.
    for (const Target& target : targets_) {
        if (ReachedArea(plans, target.where).width == 0)
            continue;
        if (target.surface->Draw(frame, plans, target.where))
            ++shown_;
        else if (target.surface->shown())
            ++dropped_;
    }
}

} // namespace saver::wayland
