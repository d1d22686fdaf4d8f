#pragma once
#include <windows.h>

#include "saver/FramePorts.h"
#include "saver/ImageCanvas.h"

// The frame loop's window-side ports: the frame timer and the GDI calls that
// put one image on the window.
namespace saver {

class WindowTimer final : public FrameTimer {
public:
    void Attach(HWND window) { window_ = window; }
    void Start(std::uint32_t interval_ms) override;
    void Restart(std::uint32_t interval_ms) override;

private:
    HWND window_ = nullptr;
};

// Every failing call is logged and costs only this frame; the device
// context, memory context and bitmap are released on every path.
class GdiPresenter final : public FramePresenter {
public:
    void Attach(HWND window) { window_ = window; }
    void Show(const BlitPlan& plan, const weftcpplib::CDIBData& source) override;
    // The image goes to the device once, then to every place.
    void ShowEach(const weftcpplib::CDIBData& source, std::span<const BlitPlan> plans) override;

private:
    HWND window_ = nullptr;
};

} // namespace saver
