#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "saver/RunOverrides.h"

// The command line of tessel-wayland: how it shows itself, and the few
// settings a test or a user may force for one run.
namespace saver::wayland {

struct Options {
    // A wallpaper under the windows that never takes input (an animated
    // background, or swaylock-plugin's), instead of an overlay that the
    // user's first key, button or movement ends.
    bool background = false;
    std::optional<int> scene;       // play only the scene with this number
    std::optional<std::uint32_t> fps;
    std::optional<std::string> data_path;
    std::optional<std::uint32_t> seed;
    bool help = false;
};

// The options that change the settings for this run only; the data file is
// then left as it was read.
inline RunOverrides OverridesOf(const Options& options)
{
    return {options.scene, options.fps};
}

// Parses the arguments after the program name (long options, two leading
// hyphens). On a bad line returns nothing and sets error.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

const char* UsageText();

} // namespace saver::wayland
