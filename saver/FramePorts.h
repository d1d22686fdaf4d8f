#pragma once
#include <cstdint>
#include <vector>

#include "config/SceneData.h"
#include "saver/BlitPlan.h"
#include "saver/MonitorLayout.h"

// What the frame loop drives, each behind a small interface so that the loop
// runs the same against the real engine and window and against test fakes.
namespace saver {

class TickClock {
public:
    virtual ~TickClock() = default;
    virtual std::uint32_t NowMs() = 0;
};

class FrameTimer {
public:
    virtual ~FrameTimer() = default;
    virtual void Start(std::uint32_t interval_ms) = 0;
    virtual void Restart(std::uint32_t interval_ms) = 0;
};

// The automaton as the frame loop sees it.
class Automaton {
public:
    virtual ~Automaton() = default;
    virtual void Step() = 0;
    virtual bool Alive() const = 0;
    // The grid's size, border ring included.
    virtual int GridWidth() const = 0;
    virtual int GridHeight() const = 0;
};

// The settings model and its data file.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual bool Read() = 0;
    virtual bool Write() = 0;
    virtual const config::CommonSettings& Common() const = 0;
    virtual const config::SceneData& CurrentScene() const = 0;
};

// Picks, varies and seeds the next scene for a screen of the given size
// (writes the current scene and leaves the automaton's grid at the new size).
class SceneStarter {
public:
    virtual ~SceneStarter() = default;
    virtual void NewScene(int screen_width, int screen_height) = 0;
};

// The frame images and their way onto the window: the cell image and one
// screen image per distinct monitor size (just the primary screen's when
// there is one monitor).
class FrameCanvas {
public:
    virtual ~FrameCanvas() = default;
    // Replaces all images with black ones: the cell image at the grid's
    // size, the screen images at the primary screen's and the other sizes
    // last set by SetScreenSizes.
    virtual void NewImages(int screen_width, int screen_height, int grid_width, int grid_height) = 0;
    // The screen images' sizes, the primary screen's first. Images made
    // already are replaced with black ones of the new sizes; the cell image
    // keeps its picture.
    virtual void SetScreenSizes(const std::vector<Size>& sizes) = 0;
    // Colours the automaton's grid, filters it and tiles it into every
    // screen image.
    virtual void Render(std::uint16_t tilling, std::uint16_t proc) = 0;
    virtual void Present(const BlitPlan& plan) = 0;
    // One frame on several monitors.
    virtual void PresentMonitors(const std::vector<BlitPlan>& plans) = 0;
};

} // namespace saver
