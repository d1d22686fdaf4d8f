#pragma once
#include <cstdint>
#include <vector>

#include "config/SceneScheduler.h"
#include "config/WeftConfig.h"
#include "core/CAEngine.h"
#include "saver/FrontEnd.h"
#include "saver/ImageCanvas.h"
#include "saver/Tessel.h"

// The running saver without its window: the frame loop wired to the engine,
// the settings model, the scheduler and the images. A front end (the Win32
// window, a headless renderer, an X11 window) implements FrontEnd and calls:
//
//   Start(info)          once, when its window (or buffer) exists: logs the
//                        start, reads the data file, sets the first interval;
//   SetDisplay(display)  full screen only, after Start and whenever the
//                        monitors change (none: one screen of info's size);
//   Tick(cw, ch)         on every timer expiry, with the client area's size:
//                        one frame, ending in FrontEnd::Present;
//   Stop()               once, when the window goes: writes the data file
//                        back (full screen only) and logs the end.
//
// The engine, model and scheduler are the caller's (the saver keeps them as
// process-wide objects); they must outlive the host, as must the front end.
namespace saver {

class FrameHost final : private FrameModel {
public:
    struct Options {
        // False: the caller has filled the model and the data file is
        // neither read at Start nor written at Stop.
        bool use_data_file = true;
    };

    FrameHost(FrontEnd& front, config::WeftConfig& config, config::SceneScheduler& scheduler,
              core::CAEngine& engine);
    FrameHost(FrontEnd& front, config::WeftConfig& config, config::SceneScheduler& scheduler,
              core::CAEngine& engine, Options options);
    FrameHost(const FrameHost&) = delete;
    FrameHost& operator=(const FrameHost&) = delete;

    void Start(const CreateInfo& info) { tessel_.OnCreate(info); }
    void SetDisplay(const DisplayInfo& display) { tessel_.SetDisplay(display); }
    void Tick(int client_width, int client_height) { tessel_.OnTimer(client_width, client_height); }
    void Stop() { tessel_.OnDestroy(); }

    const Tessel& loop() const { return tessel_; }
    const ImageCanvas& canvas() const { return canvas_; }

private:
    bool ReadSettings() override;
    bool WriteSettings() override;
    const config::CommonSettings& Common() const override { return config_.settings; }
    const config::SceneData& CurrentScene() const override { return config_.current_scene; }
    void NewScene(int screen_width, int screen_height) override;
    void Step() override { engine_.Step(); }
    bool Alive() const override { return engine_.alive; }
    int GridWidth() const override { return engine_.width; }
    int GridHeight() const override { return engine_.height; }
    void NewImages(int screen_width, int screen_height, int grid_width, int grid_height) override
    {
        canvas_.NewImages(screen_width, screen_height, grid_width, grid_height);
    }
    void SetScreenSizes(const std::vector<Size>& sizes) override { canvas_.SetScreenSizes(sizes); }
    void Render(std::uint16_t tilling, std::uint16_t proc) override { canvas_.Render(tilling, proc); }
    void Present(const BlitPlan& plan) override { canvas_.Present(plan); }
    void PresentMonitors(const std::vector<BlitPlan>& plans) override { canvas_.PresentMonitors(plans); }

    config::WeftConfig& config_;
    config::SceneScheduler& scheduler_;
    core::CAEngine& engine_;
    Options options_;
    ImageCanvas canvas_;
    Tessel tessel_;
};

} // namespace saver
