#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

#include "core/BuiltinScenes.h"
#include "core/CAEngine.h"
#include "platform/Random.h"
#include "render/CellPalette.h"
#include "saver/ImageCanvas.h"
#include "saver/SaverAdapters.h"
#include "saver/Tessel.h"
#include "support/ScriptedRandom.h"
#include "weftcpplib/FillBorder.h"

// A whole frame of a tiled scene on one 1920 x 1080 monitor (layout 0), with
// a 1280 x 1024 monitor beside it (1: one more tiling and one more image
// handed to the device per frame) and with a second 1920 x 1080 monitor (2:
// the two share one image, so only a second blit, which is the device's).
namespace {

constexpr std::int32_t kCellW = 802, kCellH = 602;

class StillClock final : public saver::TickClock {
public:
    std::uint32_t NowMs() override { return 1000; }
};
class IdleTimer final : public saver::FrameTimer {
public:
    void Start(std::uint32_t) override {}
    void Restart(std::uint32_t) override {}
};

// Scene No. 21 on an 800 x 600 field, one generation per tick, blurred and
// laid as a grid of tiles; it does not die out within a run.
class GridScene final : public saver::SettingsStore, public saver::SceneStarter {
public:
    explicit GridScene(core::CAEngine& engine) : engine_(engine)
    {
        common_.fps = 60;
        scene_ = core::builtin_scenes.at(20);
        scene_.drop = 0;
        scene_.time = 0;
        scene_.tilling = weftcpplib::TILE_GRID;
        scene_.proc = config::PROC_BLUR;
    }
    bool Read() override { return true; }
    bool Write() override { return true; }
    const config::CommonSettings& Common() const override { return common_; }
    const config::SceneData& CurrentScene() const override { return scene_; }
    void NewScene(int, int) override
    {
        engine_.SetSize(kCellW, kCellH);
        std::copy(std::begin(scene_.param), std::end(scene_.param), engine_.param);
        engine_.tilling = scene_.tilling;
        engine_.init = 0;
        tessel_test::SeededRandom random(0x2545F491u);
        platform::ScopedRandomSource scoped(random);
        engine_.Initialize();
        render::BuildPalette(scene_.h_min, scene_.s_min2, scene_.v_min, scene_.h_max, scene_.s_max2, scene_.v_max,
                     scene_.death_color);
    }

private:
    core::CAEngine& engine_;
    config::CommonSettings common_{};
    config::SceneData scene_{};
};

// Hands each image to a "device" once per frame, as the window's presenter
// does with SetDIBits; the blits themselves are the device's work.
class CopyingPresenter final : public saver::FramePresenter {
public:
    void Show(const saver::BlitPlan& plan, const weftcpplib::CDIBData& source) override
    {
        ShowEach(source, std::span<const saver::BlitPlan>(&plan, 1));
    }
    void ShowEach(const weftcpplib::CDIBData& source, std::span<const saver::BlitPlan>) override
    {
        device_.assign(source.Pixels(), source.Pixels() + source.Count());
        benchmark::DoNotOptimize(device_.data());
    }

private:
    std::vector<std::uint32_t> device_;
};

void BM_FrameOnMonitors(benchmark::State& state)
{
    const std::int64_t layout = state.range(0);
    core::CAEngine engine;
    StillClock clock;
    IdleTimer timer;
    saver::EngineAutomaton automaton(engine);
    GridScene scene(engine);
    CopyingPresenter presenter;
    saver::ImageCanvas canvas(engine, presenter);
    saver::Tessel frames({clock, timer, automaton, scene, scene, canvas});
    frames.OnCreate({false, 1920, 1080, 96});
    saver::DisplayInfo display{1920, 1080, {{0, 0, 1920, 1080}}, {0, 0, 1920, 1080}};
    if (layout == 1)
        display = {1920, 1080, {{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024}}, {-1280, 0, 3200, 1080}};
    if (layout == 2)
        display = {1920, 1080, {{0, 0, 1920, 1080}, {1920, 0, 1920, 1080}}, {0, 0, 3840, 1080}};
    frames.SetDisplay(display);
    const int client_width = display.client.width, client_height = display.client.height;
    frames.OnTimer(client_width, client_height); // the scene start
    for (auto _ : state)
        frames.OnTimer(client_width, client_height);
    const char* const labels[] = {"1920x1080", "1920x1080 + 1280x1024", "2 x 1920x1080"};
    state.SetLabel(labels[layout]);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FrameOnMonitors)->ArgName("layout")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

} // namespace
