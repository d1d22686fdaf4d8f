#include "saver/headless/RenderRun.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>

#include "platform/StopSignals.h"
#include "saver/FrameHost.h"
#include "saver/FramePacer.h"
#include "saver/SaverParts.h"
#include "saver/SettingsStores.h"
#include "saver/headless/SimulatedScreen.h"

namespace saver::headless {

std::string PrepareSettings(const RunSettings& run, config::WeftConfig& config, std::string& warning)
{
    config.SetDefaults();
    if (!run.data_file.empty()) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(run.data_file, error))
            return "no data file '" + run.data_file + "'";
        config.data_file_path = std::filesystem::path(run.data_file).wstring();
        if (!config.ReadDataFile())
            warning = "the data file '" + run.data_file + "' could be read only in part; playing what was read";
    }
    if (run.scene) {
        const auto found = std::find_if(config.scene_list.begin(), config.scene_list.end(),
                                        [&](const config::SceneData& scene) { return scene.no == *run.scene; });
        if (found == config.scene_list.end())
            return "unknown scene " + std::to_string(*run.scene) + " (the scenes are numbered 1 to " +
                   std::to_string(config.scene_list.size()) + ")";
        // Play mode 1 starts a fresh copy of the selected scene each time.
        config.settings.play = 1;
        config.settings.select = static_cast<std::int32_t>(found - config.scene_list.begin());
    }
    return {};
}

std::uint64_t FrameCount(double seconds, std::uint32_t fps)
{
    const long long frames = std::llround(seconds * saver::ClampFps(fps));
    return frames < 1 ? 1u : static_cast<std::uint64_t>(frames);
}

PlayResult Play(const RunSettings& run, config::WeftConfig& config, const FrameSink& sink)
{
    const SaverParts parts(config, run.seed);
    SimulatedScreen screen(run.width, run.height);
    // The model is filled already; the user's file is never written.
    PreparedSettings settings(config);
    FrameHost host = parts.MakeHost(screen, settings);
    host.Start(CreateInfo::FullScreen(run.width, run.height));

    const std::uint64_t frames = FrameCount(run.seconds, config.settings.fps);
    PlayResult result;
    while (result.frames < frames && !platform::StopSignalled()) {
        screen.AdvanceToNextTick();
        host.Tick(run.width, run.height);
        ++result.frames;
        if (sink && !sink(screen.frame(), screen.now_ms()))
            break;
    }
    host.Stop();
    result.interval_ms = screen.interval_ms();
    result.last_frame = PictureOf(screen.frame());
    return result;
}

} // namespace saver::headless
