#pragma once
#include <cstdint>
#include <vector>

#include "config/SceneData.h"
#include "saver/BlitPlan.h"
#include "saver/MonitorLayout.h"

// What the frame loop drives, each seam as narrow as the loop uses it.
// FrameHost puts in the real ones (the front end's settings store, the
// scheduler, the engine, the image canvas); the loop's tests put in fakes
// that schedule deaths, work time and scenes.
namespace saver {

// Where the front end keeps the settings, and the settings the loop plays by.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Once, as the saver starts (after its first log lines). False when the
    // kept settings could be read only in part: the saver runs on with the
    // defaults for the rest.
    virtual bool Read() = 0;
    // Once, as a full-screen saver ends: keeps the settings, the scene that
    // was playing included.
    virtual bool Write() = 0;
    virtual const config::CommonSettings& Common() const = 0;
    virtual const config::SceneData& CurrentScene() const = 0;
};

class SceneSource {
public:
    virtual ~SceneSource() = default;
    // Picks, varies and seeds the next scene for a screen of the given size
    // (makes it the current scene and leaves the grid at the new size).
    virtual void NewScene(int screen_width, int screen_height) = 0;
};

class Automaton {
public:
    virtual ~Automaton() = default;
    virtual void Step() = 0;
    // False when the last generation left no live interior cell.
    virtual bool Alive() const = 0;
    // The grid's size, border ring included.
    virtual int GridWidth() const = 0;
    virtual int GridHeight() const = 0;
};

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
    // Colours the grid, filters it and tiles it into every screen image.
    virtual void Render(std::uint16_t tilling, std::uint16_t proc) = 0;
    // One frame on one screen, or on several monitors.
    virtual void Present(const BlitPlan& plan) = 0;
    virtual void PresentMonitors(const std::vector<BlitPlan>& plans) = 0;
};

} // namespace saver
