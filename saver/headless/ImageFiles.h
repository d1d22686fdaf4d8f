#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/posix/OutputFiles.h"
#include "saver/headless/Picture.h"

struct WebPAnimEncoder;

// The renderer's output files: PNG pictures and animated WebP. Each file
// appears complete or not at all, and a failure removes nothing that was
// there before (platform::OutputFile).
namespace saver::headless {

// The WebP format's largest width and height.
inline constexpr int kMaxWebpExtent = 16383;

// 8-bit RGB. fast: less compression for speed (every frame of a run).
// Returns an error text, empty on success.
std::string WritePng(const std::string& path, const Picture& picture, bool fast = false);
// The same from rows top-down, 0x00RRGGBB.
std::string WritePng(const std::string& path, const std::uint32_t* pixels, int width, int height, bool fast);
// Into a file opened already (path names it in messages), committed.
std::string WritePng(platform::OutputFile& file, const std::string& path, const std::uint32_t* pixels, int width,
                     int height, bool fast);

// Frames added one by one with their start times, then written as one
// animated WebP: lossless, or lossy at a quality of 0 to 100.
class WebpAnimation {
public:
    WebpAnimation(int width, int height, std::optional<int> quality);
    ~WebpAnimation();
    WebpAnimation(const WebpAnimation&) = delete;
    WebpAnimation& operator=(const WebpAnimation&) = delete;

    std::string Add(const Picture& picture, std::uint32_t time_ms);
    std::string Add(const std::uint32_t* pixels, int width, int height, std::uint32_t time_ms);
    // end_ms: when the last frame stops showing.
    std::string Write(const std::string& path, std::uint32_t end_ms);
    std::string Write(platform::OutputFile& file, const std::string& path, std::uint32_t end_ms);

private:
    WebPAnimEncoder* encoder_ = nullptr;
    std::optional<int> quality_;
    std::string error_;
};

} // namespace saver::headless
