#pragma once
#include <span>

#include "saver/MonitorLayout.h"
#include "saver/Tessel.h"

// The outputs as the Windows saver's monitors: each shows the picture a
// single screen of its size would, so where they lie relative to each other
// does not matter; they are put side by side, left to right in the order
// given, in one virtual screen (the first is the primary screen).
namespace saver::wayland {

// sizes are in physical pixels; none may be empty. Monitor i of the result
// is output i.
DisplayInfo LayOutOutputs(std::span<const Size> sizes);

} // namespace saver::wayland
