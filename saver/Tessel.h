#pragma once
#include <cstdint>

#include "config/SceneData.h"
#include "saver/FramePacer.h"
#include "saver/FramePorts.h"

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

class Tessel {
public:
    explicit Tessel(const FramePorts& ports) : ports_(ports) {}

    void OnCreate(const CreateInfo& info);
    void OnTimer(int client_width, int client_height);
    void OnDestroy();

    std::uint32_t timer_interval_ms() const { return pacer_.interval_ms(); }
    std::uint32_t play_clock_ms() const { return clock_.played_ms(); }
    bool new_scene_pending() const { return new_scene_pending_; }

    // (common drop + 1) x (scene drop + 1), in 16 bits as stored.
    static std::uint16_t GenerationsPerTick(std::int16_t common_drop, std::int16_t scene_drop);

private:
    void StartScene(SceneData& scene);
    void AdaptTimer(std::uint32_t work_ms);

    FramePorts ports_;
    CreateInfo info_{};
    FramePacer pacer_;
    PlayClock clock_;
    bool new_scene_pending_ = true;
};

} // namespace saver
