#pragma once
#include "saver/Tessel.h"

// The display a window's scenes are laid out for. The window is the screen
// (XScreenSaver gives each monitor a window of its own), so frames are drawn
// at its real size; a window narrower than the preview strip (a settings
// program's thumbnail) gets a screen of the strip's width in the window's
// shape, which the frame loop shrinks into it whole.
namespace saver::x11 {

DisplayInfo DisplayForWindow(int width, int height);

} // namespace saver::x11
