#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "config/SceneData.h"

namespace config {

// Carrying a scene list of an older program forward.

// Version 1.0 kept saturations on a scale of 0 to 1000; scales them to 0..255
// (32-bit product, unsigned division, as the old program did).
void ConvertSaturationScale(SceneData& scene);

// Inserts the built-in scenes that the list lacks, both taken as sorted by
// no: a missing scene goes before the first list scene with a higher no, or
// at the end. A merged scene with an order above 0 joins the end of the
// scenario: it gets the order after top, and top moves on.
void MergeBuiltinScenes(std::vector<SceneData>& list, std::span<const SceneData> builtins, std::int16_t& top);

// Adds the built-in scenes whose no the list lacks altogether, placed and
// ordered as MergeBuiltinScenes places them (for a list sorted by no the two
// agree); scenes already listed keep every byte. Returns how many were added.
std::size_t RestoreMissingBuiltinScenes(std::vector<SceneData>& list, std::span<const SceneData> builtins,
                                        std::int16_t& top);

} // namespace config
