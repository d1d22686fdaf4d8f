#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The renderer's command line.
namespace saver::headless {

inline constexpr int kMaxExtent = 16384;
inline constexpr double kMaxSeconds = 24.0 * 3600.0;
inline constexpr double kDefaultSeconds = 10.0;
inline constexpr double kDefaultGallerySeconds = 60.0;

struct RenderOptions {
    std::optional<int> scene; // none: the settings' own play mode
    int width = 1920;
    int height = 1080;
    std::optional<double> seconds;
    std::optional<std::uint32_t> seed; // none: the secure, unrepeatable source
    std::string data_file;             // empty: the built-in defaults
    std::string out_file;
    std::string frames_dir;
    std::string webp_file;
    std::optional<int> webp_quality; // none: lossless
    std::string gallery_dir;
    bool force = false; // replace the frame files already in frames_dir
    bool help = false;
};

struct ParsedArguments {
    RenderOptions options;
    std::string error; // empty when the arguments are good
};

// The arguments after the program's name.
ParsedArguments ParseArguments(std::span<const std::string_view> args);

extern const char kUsage[];

} // namespace saver::headless
