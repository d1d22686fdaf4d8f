#pragma once
#include "saver/DisplayInfo.h"

// The display a window's scenes are laid out for. The window is the screen
// (XScreenSaver gives each monitor a window of its own), so frames are drawn
// at its real size; a window narrower than the preview strip (a settings
// program's thumbnail) gets a screen of the strip's width in the window's
// shape, which the frame loop shrinks into it whole.
namespace saver::x11 {

DisplayInfo DisplayForWindow(int width, int height);

// The part of a window that frames are drawn into: all of it up to 16384
// pixels a side and 8192 x 8192 pixels in all (two 8K monitors side by
// side), else its top-left part of that size, so that no window size makes
// the program ask for gigabytes.
struct DrawnSize {
    int width, height;
    bool whole;
};
DrawnSize BoundWindowSize(int width, int height);

} // namespace saver::x11
