#pragma once
#include <vector>

#include "saver/BlitPlan.h"

// What a front end measures and hands to FrameHost: the screen it starts on,
// and, full screen, the monitors it covers.
namespace saver {

// The start: a full-screen saver or a preview, the primary screen's size
// (the size the scenes' frames are made for) and the dots per inch.
struct CreateInfo {
    static constexpr int kDefaultDpi = 96;

    bool preview_mode;
    int screen_width;
    int screen_height;
    int dpi_x;

    static constexpr CreateInfo FullScreen(int width, int height, int dpi = kDefaultDpi)
    {
        return {false, width, height, dpi};
    }
    static constexpr CreateInfo Preview(int width, int height, int dpi = kDefaultDpi)
    {
        return {true, width, height, dpi};
    }
};

// The full-screen window's display: the primary screen's size, and the
// monitors and the window's client area in virtual-screen coordinates.
struct DisplayInfo {
    int screen_width;
    int screen_height;
    std::vector<Rect> monitors;
    Rect client;
};

} // namespace saver
