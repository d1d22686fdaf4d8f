#pragma once
#include <windows.h>

#include "saver/FrontEnd.h"

// The saver window as the frame host's front end: the tick count, the frame
// timer (identifier 1) and the GDI calls that put images on the window.
namespace saver::win32 {

inline constexpr UINT_PTR kFrameTimerId = 1;

class WindowFrontEnd final : public FrontEnd {
public:
    void Attach(HWND window) { window_ = window; }

    std::uint32_t NowMs() override;
    void SetFrameInterval(std::uint32_t interval_ms) override;
    // The image goes to the device once, then to every place. Every failing
    // call is logged and costs only this frame; the device context, memory
    // context and bitmap are released on every path.
    void Present(const weftcpplib::CDIBData& image, std::span<const BlitPlan> plans) override;

private:
    HWND window_ = nullptr;
    bool timer_started_ = false;
};

} // namespace saver::win32
