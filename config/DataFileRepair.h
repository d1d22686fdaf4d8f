#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "config/SceneData.h"

// Only a damaged data file holds values outside what the settings dialog
// allows. These put back safe values where a wrong one would crash or stall
// the program, and log each change; everything else is kept as stored.

// fps, drop, time and play back to their defaults when out of range; a
// select that is no index of the list becomes 0.
void RepairCommonSettings(CommonSettings& settings, std::size_t scene_count);

// Returns true when select had to be changed.
bool RepairSelect(CommonSettings& settings, std::size_t scene_count);

// Ends a name that fills all 16 units with a zero in its last unit.
void TerminateName(SceneData& scene);
