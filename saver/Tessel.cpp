#include "saver/Tessel.h"

#include "weftcpplib/CWeftLogManager.h"

namespace saver {

using weftcpplib::LOG_INFO;
using weftcpplib::LOG_WARN;
using weftcpplib::WeftLog;

std::uint16_t FrameLoop::GenerationsPerTick(std::int16_t common_drop, std::int16_t scene_drop)
{
    // Multiplied unsigned: two 16-bit factors promoted to int could overflow it.
    const std::uint32_t common_factor = static_cast<std::uint16_t>(common_drop + 1);
    const std::uint32_t scene_factor = static_cast<std::uint16_t>(scene_drop + 1);
    return static_cast<std::uint16_t>(common_factor * scene_factor);
}

void FrameLoop::OnCreate(const CreateInfo& info)
{
    WeftLog().Print(LOG_INFO, L"********** スクリーンセーバー開始 **********");
    WeftLog().Print(LOG_INFO, L"fChildPreview : %d", info.preview_mode ? 1 : 0);
    // A missing or damaged file leaves the defaults; the saver runs anyway.
    store_.Read();
    info_ = info;
    new_scene_pending_ = true;

    const std::uint32_t fps = store_.Common().fps;
    if (ClampFps(fps) != fps)
        WeftLog().Print(LOG_WARN, L"fps : %u is out of range, the timer uses %u", fps, ClampFps(fps));
    const std::uint32_t interval = pacer_.Start(fps);
    clock_.Restart(front_.NowMs());
    front_.SetFrameInterval(interval);
    WeftLog().Print(LOG_INFO, L"Timer : elapse = %d", static_cast<int>(interval));
}

void FrameLoop::StartScene(config::SceneData& scene)
{
    scenes_.NewScene(info_.screen_width, info_.screen_height);
    scene = store_.CurrentScene();
    canvas_.NewImages(info_.screen_width, info_.screen_height, automaton_.GridWidth(), automaton_.GridHeight());
}

void FrameLoop::OnTimer(int client_width, int client_height)
{
    config::SceneData scene = store_.CurrentScene();
    const config::CommonSettings& common = store_.Common();
    const std::uint32_t now = front_.NowMs();

    if (!new_scene_pending_ && clock_.CheckExpired(now, PlayLimitMs(config::EffectiveTime(scene, common))))
        new_scene_pending_ = true;
    if (new_scene_pending_) {
        new_scene_pending_ = false;
        StartScene(scene);
    }

    const std::uint16_t steps = GenerationsPerTick(common.drop, scene.drop);
    for (std::uint32_t i = 0; i < steps; ++i) {
        automaton_.Step();
        if (!automaton_.Alive()) {
            // Died out: the new scene's seeded field is this tick's frame.
            StartScene(scene);
            clock_.Reset();
            break;
        }
    }

    AdaptTimer(front_.NowMs() - now);

    canvas_.Render(scene.tilling, scene.proc);
    Present(scene, client_width, client_height);
}

void FrameLoop::Present(const config::SceneData& scene, int client_width, int client_height)
{
    const int grid_width = automaton_.GridWidth();
    const int grid_height = automaton_.GridHeight();
    // One monitor (or a preview) is drawn as a single screen always was.
    if (layout_.monitors.size() < 2) {
        const BlitInput blit{scene.tilling,      client_width,        client_height, info_.dpi_x,
                             info_.screen_width, info_.screen_height, grid_width,    grid_height};
        canvas_.Present(ChooseBlit(blit));
        return;
    }
    plans_.clear();
    for (const MonitorArea& monitor : layout_.monitors)
        plans_.push_back(MonitorBlit(scene.tilling, monitor, grid_width, grid_height));
    canvas_.PresentMonitors(plans_);
}

void FrameLoop::SetDisplay(const DisplayInfo& display)
{
    // A changed primary screen also changes the next scenes' frame sizes.
    info_.screen_width = display.screen_width;
    info_.screen_height = display.screen_height;
    layout_ = LayOutMonitors(display.monitors, display.client, {display.screen_width, display.screen_height});
    canvas_.SetScreenSizes(layout_.image_sizes);
    WeftLog().Print(LOG_INFO, L"Display : %d x %d, %d monitor(s), %d image size(s)", display.screen_width,
                    display.screen_height, static_cast<int>(layout_.monitors.size()),
                    static_cast<int>(layout_.image_sizes.size()));
}

void FrameLoop::AdaptTimer(std::uint32_t work_ms)
{
    if (const auto interval = pacer_.AfterWork(work_ms)) {
        front_.SetFrameInterval(*interval);
        WeftLog().Print(LOG_INFO, L"Timer : elapse = %d", static_cast<int>(*interval));
    }
}

void FrameLoop::OnDestroy()
{
    // A preview must not overwrite what the settings dialog beside it edits.
    if (!info_.preview_mode)
        store_.Write();
    WeftLog().Print(LOG_INFO, L"********** スクリーンセーバー終了 **********");
}

} // namespace saver
