#include <benchmark/benchmark.h>

#include <cstdint>

#include "BenchHost.h"
#include "saver/DisplayInfo.h"

// A whole frame of a tiled scene on one 1920 x 1080 monitor (layout 0), with
// a 1280 x 1024 monitor beside it (1: one more tiling and one more image
// handed to the device per frame) and with a second 1920 x 1080 monitor (2:
// the two share one image, so only a second blit, which is the device's).
namespace {

void BM_FrameOnMonitors(benchmark::State& state)
{
    const std::int64_t layout = state.range(0);
    saver::DisplayInfo display{1920, 1080, {{0, 0, 1920, 1080}}, {0, 0, 1920, 1080}};
    if (layout == 1)
        display = {1920, 1080, {{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024}}, {-1280, 0, 3200, 1080}};
    if (layout == 2)
        display = {1920, 1080, {{0, 0, 1920, 1080}, {1920, 0, 1920, 1080}}, {0, 0, 3840, 1080}};
    const int client_width = display.client.width, client_height = display.client.height;
    bench::GridSceneHost rig(true);
    rig.Start(&display, client_width, client_height);
    for (auto _ : state)
        rig.host.Tick(client_width, client_height);
    const char* const labels[] = {"1920x1080", "1920x1080 + 1280x1024", "2 x 1920x1080"};
    state.SetLabel(labels[layout]);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FrameOnMonitors)->ArgName("layout")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

} // namespace
