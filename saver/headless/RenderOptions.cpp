#include "saver/headless/RenderOptions.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <limits>

#include "saver/headless/ImageFiles.h"

namespace saver::headless {

const char kUsage[] =
    "Usage: tessel-render [OPTION]...\n"
    "Plays the saver without a screen, with a simulated clock (1000/fps ms a frame),\n"
    "and writes what the screen would show.\n"
    "\n"
    "  --scene N       play built-in scene N (1 to 40) over and over;\n"
    "                  without it, the settings' own play mode\n"
    "  --size WxH      screen size in pixels, 1 to 16384 each (default 1920x1080)\n"
    "  --seconds S     simulated seconds to play (default 10; 60 for --gallery)\n"
    "  --seed K        draw random numbers from a generator seeded with K\n"
    "                  (0 to 4294967295), so that runs repeat exactly\n"
    "  --data FILE     take the settings from this data file (only read)\n"
    "  --out FILE      write the last frame as PNG\n"
    "  --frames DIR    write every frame as DIR/frame-NNNNNN.png; DIR must hold\n"
    "                  no frame files yet\n"
    "  --force         replace the frame files already in DIR\n"
    "  --webp FILE     write all frames as an animated WebP (lossless), at most\n"
    "                  16383 pixels each way\n"
    "  --quality Q     make the animated WebP lossy, quality 0 to 100\n"
    "  --gallery DIR   write one frame of each built-in scene (DIR/scene-NN.png,\n"
    "                  at most 320 pixels wide), the second from 10 s on with the\n"
    "                  most pixels standing out from the main colour, and\n"
    "                  DIR/contact-sheet.png\n"
    "  --help          show this text\n"
    "\n"
    "Each file appears when complete; a failed run leaves what was there before.\n"
    "FILE may be a pipe or a device (--out /dev/stdout), written directly.\n"
    "Messages and the closing summary go to the standard error stream.\n"
    "\n"
    "Exit status: 0 done, 1 failed, 2 bad arguments.\n";

namespace {

constexpr std::string_view kOptions[] = {"--scene", "--size",   "--seconds", "--seed",   "--data",
                                         "--out",   "--frames", "--webp",    "--quality", "--gallery"};

template <typename T>
bool ParseNumber(std::string_view text, T& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc{} && ptr == end;
}

bool ParseSize(std::string_view text, int& width, int& height)
{
    const auto x = text.find_first_of("xX");
    if (x == std::string_view::npos)
        return false;
    return ParseNumber(text.substr(0, x), width) && ParseNumber(text.substr(x + 1), height) && width >= 1 &&
           width <= kMaxExtent && height >= 1 && height <= kMaxExtent;
}

std::string Quoted(std::string_view text)
{
    // Appended piecewise: "'" + std::string(...) trips a false -Wrestrict
    // of GCC 12 at -O3.
    std::string quoted(1, '\'');
    quoted.append(text);
    quoted.push_back('\'');
    return quoted;
}

// Applies one option with its value; returns an error text or nothing.
std::string Apply(std::string_view name, std::string_view value, RenderOptions& o)
{
    if (name == "--scene") {
        int scene = 0;
        if (!ParseNumber(value, scene))
            return "--scene takes a scene number, not " + Quoted(value);
        o.scene = scene;
    } else if (name == "--size") {
        if (!ParseSize(value, o.width, o.height))
            return "--size takes WIDTHxHEIGHT, each 1 to 16384, not " + Quoted(value);
    } else if (name == "--seconds") {
        double seconds = 0;
        if (!ParseNumber(value, seconds) || !(seconds > 0) || seconds > kMaxSeconds)
            return "--seconds takes a number above 0 and at most 86400, not " + Quoted(value);
        o.seconds = seconds;
    } else if (name == "--seed") {
        std::uint32_t seed = 0;
        if (!ParseNumber(value, seed))
            return "--seed takes a number from 0 to 4294967295, not " + Quoted(value);
        o.seed = seed;
    } else if (name == "--quality") {
        int quality = 0;
        if (!ParseNumber(value, quality) || quality < 0 || quality > 100)
            return "--quality takes a number from 0 to 100, not " + Quoted(value);
        o.webp_quality = quality;
    } else {
        std::string* path = name == "--data"      ? &o.data_file
                            : name == "--out"     ? &o.out_file
                            : name == "--frames"  ? &o.frames_dir
                            : name == "--webp"    ? &o.webp_file
                            : name == "--gallery" ? &o.gallery_dir
                                                  : nullptr;
        if (!path)
            return "unknown option " + Quoted(name);
        if (value.empty())
            return std::string(name) + " takes a non-empty name";
        *path = value;
    }
    return {};
}

std::string CheckCombination(const RenderOptions& o)
{
    const bool single_run = !o.out_file.empty() || !o.frames_dir.empty() || !o.webp_file.empty();
    if (!o.gallery_dir.empty()) {
        if (single_run)
            return "--gallery cannot be combined with --out, --frames or --webp";
        if (o.scene)
            return "--gallery renders every scene; leave out --scene";
        return {};
    }
    if (!single_run)
        return "nothing to write: give --out, --frames, --webp or --gallery";
    if (o.webp_quality && o.webp_file.empty())
        return "--quality applies to --webp only";
    if (o.force && o.frames_dir.empty())
        return "--force applies to --frames only";
    if (!o.webp_file.empty() && (o.width > kMaxWebpExtent || o.height > kMaxWebpExtent))
        return "--webp makes pictures of at most " + std::to_string(kMaxWebpExtent) + " pixels each way, not " +
               std::to_string(o.width) + "x" + std::to_string(o.height);
    return {};
}

} // namespace

ParsedArguments ParseArguments(std::span<const std::string_view> args)
{
    ParsedArguments parsed;
    RenderOptions& o = parsed.options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view name = args[i];
        if (name == "--help" || name == "-h") {
            o.help = true;
            return parsed;
        }
        if (!name.starts_with("--")) {
            parsed.error = "unexpected argument " + Quoted(name);
            return parsed;
        }
        std::string_view value;
        const auto eq = name.find('=');
        // Both "--name value" and "--name=value".
        if (eq != std::string_view::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        if (name == "--force") {
            if (eq != std::string_view::npos) {
                parsed.error = "--force takes no value";
                return parsed;
            }
            o.force = true;
            continue;
        }
        if (std::find(std::begin(kOptions), std::end(kOptions), name) == std::end(kOptions)) {
            parsed.error = "unknown option " + Quoted(name);
            return parsed;
        }
        if (eq == std::string_view::npos) {
            if (i + 1 == args.size()) {
                parsed.error = std::string(name) + " needs a value";
                return parsed;
            }
            value = args[++i];
        }
        parsed.error = Apply(name, value, o);
        if (!parsed.error.empty())
            return parsed;
    }
    parsed.error = CheckCombination(o);
    return parsed;
}

} // namespace saver::headless
