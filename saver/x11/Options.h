#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "saver/RunOverrides.h"

// The command line of tessel-x11, the conventions of XScreenSaver's display
// programs: where to draw, and the few settings a test or a user may force.
namespace saver::x11 {

enum class Target {
    unset,      // nothing named: XSCREENSAVER_WINDOW if set, else a window of its own
    window_id,  // -window-id ID
    root,       // -root: XSCREENSAVER_WINDOW if set (the saver's virtual root), else the root window
    own_window, // -window
};

struct Options {
    Target target = Target::unset;
    std::uint32_t window_id = 0;
    std::optional<int> scene;       // play only the scene with this number
    std::optional<std::uint32_t> fps;
    std::optional<std::string> data_path;
    std::optional<std::uint32_t> seed;
    bool use_shm = true;            // -no-shm: always XPutImage (for measurements)
    bool help = false;
};

// The options that change the settings for this run only; the data file is
// then left as it was read.
inline RunOverrides OverridesOf(const Options& options)
{
    return {options.scene, options.fps};
}

// Parses the arguments after the program name. Options take one or two
// leading hyphens. On a bad line returns nothing and sets error.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

// A window id as X prints them: decimal, or hexadecimal after 0x; never 0.
std::optional<std::uint32_t> ParseWindowId(const std::string& text);

const char* UsageText();

// Where to draw once the environment is known.
struct DrawTarget {
    enum Kind { window, root, own_window } kind;
    std::uint32_t id; // for window
};

// XScreenSaver names its window in XSCREENSAVER_WINDOW (env_window, null when
// unset); an explicit -window-id or -window wins over it. A malformed value
// is an error.
std::optional<DrawTarget> ResolveTarget(const Options& options, const char* env_window, std::string& error);

} // namespace saver::x11
