#pragma once
#include <cstdint>
#include <vector>

#include "config/SceneData.h"
#include "saver/BlitPlan.h"
#include "saver/DisplayInfo.h"
#include "saver/FramePacer.h"
#include "saver/FrameSeams.h"
#include "saver/FrontEnd.h"
#include "saver/MonitorLayout.h"

// The frame loop: one timer tick is one frame. It keeps the scene's play
// clock, starts scenes, advances the automaton, adapts the timer to the work
// and has the canvas draw and present the picture. The front end measures
// (screen size, client size, dots per inch), keeps time and shows what it is
// given.
namespace saver {

class FrameLoop {
public:
    FrameLoop(FrontEnd& front, SettingsStore& store, SceneSource& scenes, Automaton& automaton, FrameCanvas& canvas)
        : front_(front), store_(store), scenes_(scenes), automaton_(automaton), canvas_(canvas)
    {
    }

    void OnCreate(const CreateInfo& info);
    // Full screen only, after OnCreate and whenever the display changes.
    void SetDisplay(const DisplayInfo& display);
    void OnTimer(int client_width, int client_height);
    void OnDestroy();

    std::uint32_t timer_interval_ms() const { return pacer_.interval_ms(); }
    std::uint32_t play_clock_ms() const { return clock_.played_ms(); }
    bool new_scene_pending() const { return new_scene_pending_; }
    const MonitorLayout& layout() const { return layout_; }

    // (common drop + 1) x (scene drop + 1), in 16 bits as stored.
    static std::uint16_t GenerationsPerTick(std::int16_t common_drop, std::int16_t scene_drop);

private:
    void StartScene(config::SceneData& scene);
    void AdaptTimer(std::uint32_t work_ms);
    void Present(const config::SceneData& scene, int client_width, int client_height);

    FrontEnd& front_;
    SettingsStore& store_;
    SceneSource& scenes_;
    Automaton& automaton_;
    FrameCanvas& canvas_;
    CreateInfo info_{};
    FramePacer pacer_;
    PlayClock clock_;
    bool new_scene_pending_ = true;
    MonitorLayout layout_;
    std::vector<BlitPlan> plans_; // reused every tick
};

} // namespace saver
