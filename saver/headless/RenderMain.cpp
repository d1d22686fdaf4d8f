// tessel-render: the saver's frame loop on a simulated screen, written to
// image files.
#include <chrono>
#include <clocale>
#include <cstdio>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/BuiltinScenes.h"
#include "platform/StopSignals.h"
#include "saver/headless/Gallery.h"
#include "saver/headless/ImageFiles.h"
#include "saver/headless/RenderOptions.h"
#include "saver/headless/RenderOutputs.h"
#include "saver/headless/RenderRun.h"

namespace {

using namespace saver::headless;

constexpr int kDone = 0, kFailed = 1, kBadArguments = 2;

int BadArguments(const std::string& message)
{
    std::fprintf(stderr, "tessel-render: %s\nTry 'tessel-render --help'.\n", message.c_str());
    return kBadArguments;
}

int Failed(const std::string& message)
{
    std::fprintf(stderr, "tessel-render: %s\n", message.c_str());
    return kFailed;
}

// Wall and processor time since construction.
class Stopwatch {
public:
    double wall_s() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_).count(); }
    double cpu_s() const { return static_cast<double>(std::clock() - cpu_) / CLOCKS_PER_SEC; }

private:
    std::chrono::steady_clock::time_point wall_ = std::chrono::steady_clock::now();
    std::clock_t cpu_ = std::clock();
};

int RenderOne(const RenderOptions& o, const RunSettings& run, config::WeftConfig& config, RenderOutputs& outputs)
{
    std::optional<WebpAnimation> webp;
    if (!o.webp_file.empty())
        webp.emplace(run.width, run.height, o.webp_quality);
    std::string error;
    std::uint64_t index = 0;
    std::uint32_t first_ms = 0, last_ms = 0;
    const bool every_frame = !o.frames_dir.empty() || webp;
    FrameSink sink;
    if (every_frame) {
        sink = [&](const saver::FrameBuffer& frame, std::uint32_t time_ms) {
            if (index++ == 0)
                first_ms = time_ms;
            last_ms = time_ms;
            if (!o.frames_dir.empty())
                error = WritePng(outputs.FramePath(index), frame.pixels().data(), frame.width(), frame.height(), true);
            if (error.empty() && webp)
                error = webp->Add(frame.pixels().data(), frame.width(), frame.height(), time_ms - first_ms);
            return error.empty();
        };
    }
    const Stopwatch watch;
    const PlayResult result = Play(run, config, sink);
    if (!error.empty())
        return Failed(error);
    if (platform::StopSignalled())
        return kFailed;
    if (webp) {
        error = webp->Write(outputs.webp(), o.webp_file, last_ms - first_ms + result.interval_ms);
        if (!error.empty())
            return Failed(error);
    }
    if (!o.out_file.empty()) {
        const Picture& last = result.last_frame;
        error = WritePng(outputs.out(), o.out_file, last.pixels.data(), last.width, last.height, false);
        if (!error.empty())
            return Failed(error);
    }
    if (!o.frames_dir.empty()) {
        if (error = outputs.PublishFrames(); !error.empty())
            return Failed(error);
    }
    const double wall = watch.wall_s(), cpu = watch.cpu_s();
    std::fprintf(stderr, "%llu frames of %dx%d in %.2f s (%.1f frames/s), processor %.2f s (%.1f frames/s)\n",
                 static_cast<unsigned long long>(result.frames), run.width, run.height, wall,
                 wall > 0 ? static_cast<double>(result.frames) / wall : 0.0, cpu,
                 cpu > 0 ? static_cast<double>(result.frames) / cpu : 0.0);
    return kDone;
}

int Run(const RenderOptions& o, const RunSettings& run)
{
    try {
        config::WeftConfig config;
        std::string warning;
        if (std::string error = PrepareSettings(run, config, warning); !error.empty())
            return BadArguments(error);
        // Before any rendering, and only once the rest is known to be good.
        RenderOutputs outputs;
        if (std::string error = outputs.Open(o); !error.empty())
            return BadArguments(error);
        if (!warning.empty())
            std::fprintf(stderr, "tessel-render: warning: %s\n", warning.c_str());
        if (!o.gallery_dir.empty()) {
            if (std::string error = RenderGallery(run, config, o.gallery_dir); !error.empty())
                return Failed(error);
            std::fprintf(stderr, "gallery of %d scenes written to %s\n",
                         static_cast<int>(core::builtin_scenes.size()), o.gallery_dir.c_str());
            return kDone;
        }
        return RenderOne(o, run, config, outputs);
    } catch (const std::bad_alloc&) {
        return Failed("out of memory");
    } catch (const std::exception& e) {
        return Failed(e.what());
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const ParsedArguments parsed = ParseArguments(args);
    if (parsed.options.help) {
        std::fputs(kUsage, stdout);
        return kDone;
    }
    if (!parsed.error.empty())
        return BadArguments(parsed.error);
    const RenderOptions& o = parsed.options;

    RunSettings run;
    run.scene = o.scene;
    run.width = o.width;
    run.height = o.height;
    run.seconds = o.seconds.value_or(o.gallery_dir.empty() ? kDefaultSeconds : kDefaultGallerySeconds);
    run.seed = o.seed;
    run.data_file = o.data_file;

    // Stopped midway, the run's own files are removed before it ends.
    platform::NoteStopSignals();
    const int status = Run(o, run);
    if (platform::StopSignalled())
        platform::EndAsSignalled();
    return status;
}
