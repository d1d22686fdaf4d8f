#pragma once
#include <windows.h>

#include "saver/InputPolicy.h"
#include "saver/FrameHost.h"

// Where the monitors are, as the system tells it: the virtual screen, each
// monitor's rectangle, the window's place among them and the pointer's.
namespace saver::win32 {

// The rectangle of all monitors together, where the full-screen window goes.
RECT VirtualScreen();

// The screen the frame loop starts on, with the window's own resolution.
CreateInfo MeasureScreen(HWND window, bool preview_mode);

// Every monitor and the window's client area, in virtual-screen coordinates.
DisplayInfo MeasureDisplay(HWND window);

CursorPoint CurrentCursor();
PointerPlace CurrentPointer();

} // namespace saver::win32
