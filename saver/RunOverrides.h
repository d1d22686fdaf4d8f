#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "config/WeftConfig.h"

// What a desktop saver's run (tessel-x11, tessel-wayland) asks for on top of
// the user's settings. Such a run's settings are its own and are not kept.
namespace saver {

struct RunOverrides {
    std::optional<int> scene;        // play only the scene with this number
    std::optional<std::uint32_t> fps;

    bool any() const { return scene.has_value() || fps.has_value(); }
};

// Applies the scene and frame rate to the model read from the file. False,
// with the reason, when no scene of the list has the number asked for.
bool ApplyOverrides(const RunOverrides& overrides, config::WeftConfig& config, std::string& error);

} // namespace saver
