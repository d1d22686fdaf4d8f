#include "saver/wayland/Options.h"

#include <charconv>

namespace saver::wayland {
namespace {

std::optional<std::uint32_t> ParseUnsigned(const std::string& text, std::uint32_t low, std::uint32_t high)
{
    std::uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [last, status] = std::from_chars(text.data(), end, value, 10);
    if (text.empty() || status != std::errc{} || last != end || value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

const char* UsageText()
{
    return "usage: tessel-wayland [--background] [--scene N] [--fps N] [--data PATH] [--seed K]\n"
           "  --background   an animated background that takes no input (for swaylock-plugin),\n"
           "                 instead of an overlay that a key, a button or a movement ends\n"
           "  --scene N      play only scene number N\n"
           "  --fps N        frames per second, 1 to 120, for this run\n"
           "  --data PATH    settings file (default: $XDG_CONFIG_HOME/tessel/Tessel.dat)\n"
           "  --seed K       reproducible run: random numbers from seed K (0 to 4294967295)\n"
           "  --help         this text\n";
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error)
{
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        // The value of an option that takes one.
        auto value = [&]() -> const std::string* {
            if (i + 1 >= args.size()) {
                error = name + " needs a value";
                return nullptr;
            }
            return &args[++i];
        };
        auto number = [&](std::uint32_t low, std::uint32_t high) -> std::optional<std::uint32_t> {
            const std::string* text = value();
            if (!text)
                return std::nullopt;
            const auto parsed = ParseUnsigned(*text, low, high);
            if (!parsed)
                error = "bad value for " + name + ": '" + *text + "'";
            return parsed;
        };
        if (name == "--background") {
            options.background = true;
        } else if (name == "--scene") {
            const auto scene = number(1, 32767);
            if (!scene)
                return std::nullopt;
            options.scene = static_cast<int>(*scene);
        } else if (name == "--fps") {
            options.fps = number(1, 120);
            if (!options.fps)
                return std::nullopt;
        } else if (name == "--seed") {
            options.seed = number(0, UINT32_MAX);
            if (!options.seed)
                return std::nullopt;
        } else if (name == "--data") {
            const std::string* text = value();
            if (!text)
                return std::nullopt;
            if (text->empty()) {
                error = "bad value for " + name + ": ''";
                return std::nullopt;
            }
            options.data_path = *text;
        } else if (name == "--help" || name == "-h") {
            options.help = true;
        } else {
            error = "unknown option '" + name + "'";
            return std::nullopt;
        }
    }
    return options;
}

} // namespace saver::wayland
