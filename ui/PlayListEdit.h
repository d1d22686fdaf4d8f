#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "config/SceneData.h"

namespace ui {

// Play-list edits of the settings dialog, made on the `order` fields of the
// working scene list; the caller rebuilds the scenario afterwards. Each keeps
// the orders contiguous (0 to n - 1) when they were contiguous before.

// Puts the scene at the end of a play list of `play_list_size` entries.
// False, and nothing changes, when the scene is already in the list.
bool AppendToPlayList(config::SceneData& scene, int play_list_size);

// Takes the scene out of the play list and closes the gap behind it; a
// scene that is not in the list is left alone.
void RemoveFromPlayList(std::vector<config::SceneData>& scenes, config::SceneData& scene);

// Swaps two neighbouring play-list entries (earlier is the one above).
void SwapPlayListNeighbours(config::SceneData& earlier, config::SceneData& later);

// The text of a scene in both lists: "%3d : %s" of its number and name.
std::wstring SceneEntryText(const config::SceneData& scene);

} // namespace ui
