#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "config/WeftConfig.h"
#include "saver/FrameBuffer.h"
#include "saver/headless/Picture.h"

// One run of the real frame loop on a simulated screen.
namespace saver::headless {

struct RunSettings {
    std::optional<int> scene; // scene number; none: the settings' play mode
    int width = 1920;
    int height = 1080;
    double seconds = 10.0;
    std::optional<std::uint32_t> seed;
    std::string data_file; // empty: the built-in defaults
};

// Called after every frame with the screen and the frame's time (ms since
// the start); false stops the run.
using FrameSink = std::function<bool(const saver::FrameBuffer& frame, std::uint32_t time_ms)>;

// The model as the run will use it: the defaults, or the data file (read,
// never written), and the scene asked for. Returns an error text for a
// missing file or an unknown scene; warning gets a text when the file could
// be read only in part (the saver, too, goes on with what it read).
std::string PrepareSettings(const RunSettings& run, config::WeftConfig& config, std::string& warning);

// Frames a run of these seconds shows: seconds x fps, at least one.
std::uint64_t FrameCount(double seconds, std::uint32_t fps);

struct PlayResult {
    std::uint64_t frames = 0;
    std::uint32_t interval_ms = 0; // the timer's interval at the end
    Picture last_frame;
};

// Plays the run on a prepared model; a noted stop signal ends it early.
PlayResult Play(const RunSettings& run, config::WeftConfig& config, const FrameSink& sink);

} // namespace saver::headless
