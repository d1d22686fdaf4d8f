#pragma once
#include <span>
#include <vector>

#include "saver/BlitPlan.h"

// Where the monitors lie on the full-screen window, and which of them share
// a screen image: every monitor shows what a single screen of its own size
// would, so monitors of one size share one image (one tiling per size).
namespace saver {

struct Size {
    int width, height;
    friend bool operator==(const Size&, const Size&) = default;
};

struct MonitorArea {
    Rect area;    // the whole monitor, relative to the window's client area
    Rect visible; // the part of it inside the client area, never empty
    int image;    // index into MonitorLayout::image_sizes
};

struct MonitorLayout {
    // Distinct sizes of the screen images; the primary screen's first, so
    // image 0 is the one a single screen uses.
    std::vector<Size> image_sizes;
    // Monitors that show anything, in the order given.
    std::vector<MonitorArea> monitors;
};

// The overlap of two rectangles; width and height 0 when they do not meet.
Rect Intersect(const Rect& a, const Rect& b);

// monitors and client are in virtual-screen coordinates (which may be
// negative left of or above the primary monitor); primary is the primary
// screen's size. Empty monitors and monitors outside the client are left out.
MonitorLayout LayOutMonitors(std::span<const Rect> monitors, const Rect& client, Size primary);

// How one monitor's picture goes onto the window: its screen image copied
// into its visible part, or in fit mode the field stretched over the monitor.
BlitPlan MonitorBlit(std::uint16_t tilling, const MonitorArea& monitor, int cell_width, int cell_height);

} // namespace saver
