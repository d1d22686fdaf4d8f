#pragma once
#include <cstdint>
#include <vector>

#include "config/SceneData.h"
#include "saver/FramePacer.h"
#include "saver/FramePorts.h"
#include "saver/MonitorLayout.h"

// The frame loop: one timer tick is one frame. It keeps the scene's play
// clock, starts scenes, advances the automaton, adapts the timer to the work
// and hands the picture to the canvas. The window side measures (screen size,
// client size, dots per inch) and performs what it is asked.
namespace saver {

struct FramePorts {
    TickClock& clock;
    FrameTimer& timer;
    Automaton& automaton;
    SettingsStore& store;
    SceneStarter& scenes;
    FrameCanvas& canvas;
};

struct CreateInfo {
    bool preview_mode;
    int screen_width;
    int screen_height;
    int dpi_x;
};

// The full-screen window's display: the primary screen's size, and the
// monitors and the window's client area in virtual-screen coordinates.
struct DisplayInfo {
    int screen_width;
    int screen_height;
    std::vector<Rect> monitors;
    Rect client;
};

class Tessel {
public:
    explicit Tessel(const FramePorts& ports) : ports_(ports) {}

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

    FramePorts ports_;
    CreateInfo info_{};
    FramePacer pacer_;
    PlayClock clock_;
    bool new_scene_pending_ = true;
    MonitorLayout layout_;
    std::vector<BlitPlan> plans_; // reused every tick
};

} // namespace saver
