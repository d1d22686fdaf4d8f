#include "saver/x11/Options.h"

#include <charconv>

namespace saver::x11 {
namespace {

std::optional<std::uint32_t> ParseUnsigned(const std::string& text, int base)
{
    std::uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [last, status] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || status != std::errc{} || last != end)
        return std::nullopt;
    return value;
}

std::optional<std::uint32_t> ParseInRange(const std::string& text, std::uint32_t low, std::uint32_t high)
{
    const auto value = ParseUnsigned(text, 10);
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::uint32_t> ParseWindowId(const std::string& text)
{
    std::optional<std::uint32_t> id;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        id = ParseUnsigned(text.substr(2), 16);
    else
        id = ParseUnsigned(text, 10);
    if (!id || *id == 0)
        return std::nullopt;
    return id;
}

const char* UsageText()
{
    return "usage: tessel-x11 [-window | -root | -window-id ID] [-scene N] [-fps N] [-data PATH] [-seed K]\n"
           "  -window        draw into a window of its own (the default)\n"
           "  -root          draw into the root window (XScreenSaver's window when it runs the program)\n"
           "  -window-id ID  draw into the window ID (decimal or 0x hexadecimal); wins over the others\n"
           "  -scene N       play only scene number N\n"
           "  -fps N         frames per second, 1 to 120, for this run\n"
           "  -data PATH     settings file (default: $XDG_CONFIG_HOME/tessel/Tessel.dat)\n"
           "  -seed K        reproducible run: random numbers from seed K (0 to 4294967295)\n"
           "  -no-shm        put images without shared memory\n";
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error)
{
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        if (name.starts_with("--"))
            name.erase(0, 1);
        // The value of an option that takes one.
        auto value = [&]() -> const std::string* {
            if (i + 1 >= args.size()) {
                error = args[i] + " needs a value";
                return nullptr;
            }
            return &args[++i];
        };
        auto bad = [&](const std::string& what) {
            error = "bad value for " + args[i - 1] + ": '" + what + "'";
            return std::nullopt;
        };
        if (name == "-window" || name == "-root") {
            const Target target = name == "-root" ? Target::root : Target::own_window;
            // A window id wins, as XScreenSaver's settings preview adds one
            // to the program's own line (which holds -root).
            if (options.target == Target::window_id)
                continue;
            if (options.target != Target::unset && options.target != target) {
                error = "choose one of -window and -root";
                return std::nullopt;
            }
            options.target = target;
        } else if (name == "-window-id") {
            const std::string* text = value();
            if (!text)
                return std::nullopt;
            const auto id = ParseWindowId(*text);
            if (!id)
                return bad(*text);
            options.target = Target::window_id;
            options.window_id = *id;
        } else if (name == "-scene") {
            const std::string* text = value();
            if (!text)
                return std::nullopt;
            const auto scene = ParseInRange(*text, 1, 32767);
            if (!scene)
                return bad(*text);
            options.scene = static_cast<int>(*scene);
        } else if (name == "-fps") {
            const std::string* text = value();
            if (!text)
                return std::nullopt;
            const auto fps = ParseInRange(*text, 1, 120);
            if (!fps)
                return bad(*text);
            options.fps = *fps;
        } else if (name == "-data") {
            const std::string* text = value();
            if (!text)
                return std::nullopt;
            if (text->empty())
                return bad(*text);
            options.data_path = *text;
        } else if (name == "-seed") {
            const std::string* text = value();
            if (!text)
                return std::nullopt;
            const auto seed = ParseUnsigned(*text, 10);
            if (!seed)
                return bad(*text);
            options.seed = *seed;
        } else if (name == "-no-shm") {
            options.use_shm = false;
        } else if (name == "-help" || name == "-h") {
            options.help = true;
        } else {
            error = "unknown option '" + args[i] + "'";
            return std::nullopt;
        }
    }
    return options;
}

std::optional<DrawTarget> ResolveTarget(const Options& options, const char* env_window, std::string& error)
{
    switch (options.target) {
    case Target::window_id:
        return DrawTarget{DrawTarget::window, options.window_id};
    case Target::own_window:
        return DrawTarget{DrawTarget::own_window, 0};
    case Target::unset:
    case Target::root:
        break;
    }
    if (env_window && *env_window) {
        const auto id = ParseWindowId(env_window);
        if (!id) {
            error = std::string("XSCREENSAVER_WINDOW is not a window id: '") + env_window + "'";
            return std::nullopt;
        }
        return DrawTarget{DrawTarget::window, *id};
    }
    if (options.target == Target::root)
        return DrawTarget{DrawTarget::root, 0};
    return DrawTarget{DrawTarget::own_window, 0};
}

} // namespace saver::x11
