#pragma once
#include <cstdint>
#include <vector>

#include "config/SceneData.h"
#include "saver/BlitPlan.h"
#include "saver/FramePacer.h"
#include "saver/FrontEnd.h"
#include "saver/MonitorLayout.h"

// The frame loop: one timer tick is one frame. It keeps the scene's play
// clock, starts scenes, advances the automaton, adapts the timer to the work
// and has the model draw and present the picture. The front end measures
// (screen size, client size, dots per inch), keeps time and shows what it is
// given.
namespace saver {

// The saver's state as the frame loop drives it: the settings model with its
// data file, the scheduler, the automaton and the images. FrameHost is the
// real one; the loop's tests put in fakes that schedule deaths, work time and
// scenes.
class FrameModel {
public:
    virtual ~FrameModel() = default;

    virtual bool ReadSettings() = 0;
    virtual bool WriteSettings() = 0;
    virtual const config::CommonSettings& Common() const = 0;
    virtual const config::SceneData& CurrentScene() const = 0;

    // Picks, varies and seeds the next scene for a screen of the given size
    // (writes the current scene and leaves the grid at the new size).
    virtual void NewScene(int screen_width, int screen_height) = 0;
    virtual void Step() = 0;
    // False when the last generation left no live interior cell.
    virtual bool Alive() const = 0;
    // The grid's size, border ring included.
    virtual int GridWidth() const = 0;
    virtual int GridHeight() const = 0;

    // Replaces all images with black ones: the cell image at the grid's
    // size, the screen images at the primary screen's and the other sizes
    // last set by SetScreenSizes.
    virtual void NewImages(int screen_width, int screen_height, int grid_width, int grid_height) = 0;
    // The screen images' sizes, the primary screen's first. Images made
    // already are replaced with black ones of the new sizes; the cell image
    // keeps its picture.
    virtual void SetScreenSizes(const std::vector<Size>& sizes) = 0;
    // Colours the grid, filters it and tiles it into every screen image.
    virtual void Render(std::uint16_t tilling, std::uint16_t proc) = 0;
    // One frame on one screen, or on several monitors.
    virtual void Present(const BlitPlan& plan) = 0;
    virtual void PresentMonitors(const std::vector<BlitPlan>& plans) = 0;
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
    Tessel(FrontEnd& front, FrameModel& model) : front_(front), model_(model) {}

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
    FrameModel& model_;
    CreateInfo info_{};
    FramePacer pacer_;
    PlayClock clock_;
    bool new_scene_pending_ = true;
    MonitorLayout layout_;
    std::vector<BlitPlan> plans_; // reused every tick
};

} // namespace saver
