#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "config/SceneData.h"

namespace core {

inline constexpr std::size_t kBuiltinSceneCount = 40;

// The scenes compiled into the program, No. 1 to 40 at index 0 to 39. Each is
// named by its rule code "PPP-QQQ-RRR-I" (birth band, decay, pattern); the
// name is only a label, the rule always comes from param and init. Constant
// data, so it is ready before any static constructor runs.
extern const std::array<config::SceneData, kBuiltinSceneCount> builtin_scenes;

// The numbers (no) of the scenes of the default scenario, in play order:
// the built-in scenes with an order of 0 or more, sorted by it.
std::vector<std::int16_t> DefaultScenarioNumbers();

} // namespace core
