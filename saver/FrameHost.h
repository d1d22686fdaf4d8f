#pragma once
#include "config/SceneScheduler.h"
#include "config/WeftConfig.h"
#include "core/CAEngine.h"
#include "saver/DisplayInfo.h"
#include "saver/FrameSeams.h"
#include "saver/FrontEnd.h"
#include "saver/ImageCanvas.h"
#include "saver/Tessel.h"

// The running saver without its window: the frame loop wired to the engine,
// the scheduler, the images and the settings store its front end supplies.
// SaverParts makes it; a front end (the Win32 window, a headless renderer,
// an X11 window) implements FrontEnd and calls:
//
//   Start(info)          once, when its window (or buffer) exists: logs the
//                        start, reads the settings through the store, sets
//                        the first interval;
//   SetDisplay(display)  full screen only, after Start and whenever the
//                        monitors change (none: one screen of info's size);
//   Tick(cw, ch)         on every timer expiry, with the client area's size:
//                        one frame, ending in FrontEnd::Present;
//   Stop()               once, when the window goes: has the store keep the
//                        settings (full screen only) and logs the end.
//
// The model, the store and the front end must outlive the host.
namespace saver {

// The objects the host drives: the settings model, the scheduler that
// starts its scenes and the engine that runs them.
struct SaverModel {
    config::WeftConfig& config;
    config::SceneScheduler& scheduler;
    core::CAEngine& engine;
};

class FrameHost final {
public:
    FrameHost(const FrameHost&) = delete;
    FrameHost& operator=(const FrameHost&) = delete;

    void Start(const CreateInfo& info) { loop_.OnCreate(info); }
    void SetDisplay(const DisplayInfo& display) { loop_.SetDisplay(display); }
    void Tick(int client_width, int client_height) { loop_.OnTimer(client_width, client_height); }
    void Stop() { loop_.OnDestroy(); }

    const FrameLoop& loop() const { return loop_; }
    const ImageCanvas& canvas() const { return canvas_; }

private:
    friend class SaverParts;
    FrameHost(FrontEnd& front, SettingsStore& store, const SaverModel& model);

    class ScheduledScenes final : public SceneSource {
    public:
        explicit ScheduledScenes(const SaverModel& model) : model_(model) {}
        void NewScene(int screen_width, int screen_height) override;

    private:
        SaverModel model_;
    };

    class EngineAutomaton final : public Automaton {
    public:
        explicit EngineAutomaton(core::CAEngine& engine) : engine_(engine) {}
        void Step() override { engine_.Step(); }
        bool Alive() const override { return engine_.alive; }
        int GridWidth() const override { return engine_.width; }
        int GridHeight() const override { return engine_.height; }

    private:
        core::CAEngine& engine_;
    };

    ScheduledScenes scenes_;
    EngineAutomaton automaton_;
    ImageCanvas canvas_;
    FrameLoop loop_;
};

} // namespace saver
