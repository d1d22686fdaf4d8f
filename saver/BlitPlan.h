#pragma once
#include <cstdint>

// How one frame goes from the images onto the window: which image, which
// part of it, where, and whether it is copied or stretched.
namespace saver {

// Previews narrower than this show the central strip of this width.
inline constexpr int kPreviewStripWidth = 126;

enum class BlitKind {
    None,           // nothing sensible to draw (no screen size known)
    FitStretch,     // the field without its border, stretched over the screen size
    PreviewStretch, // central strip of the screen image into a small preview
    WindowStretch,  // whole screen image into a window smaller than the screen
    Copy,           // whole screen image at its own size
};

struct Rect {
    int x, y, width, height;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct BlitPlan {
    BlitKind kind = BlitKind::None;
    bool from_cell_image = false; // else a screen image
    int screen_image = 0;         // which one: 0 is the primary screen's
    bool set_halftone = false;
    Rect source{};
    Rect dest{};
};

struct BlitInput {
    std::uint16_t tilling;
    int client_width, client_height;
    int dpi_x;
    int screen_width, screen_height;
    int cell_width, cell_height; // the cell image, border included
};

BlitPlan ChooseBlit(const BlitInput& in);

} // namespace saver
