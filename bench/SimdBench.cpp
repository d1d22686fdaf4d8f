#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>

#include "BenchHost.h"
#include "core/BuiltinScenes.h"
#include "core/CAEngine.h"
#include "core/TilingMode.h"
#include "platform/CpuFeatures.h"
#include "platform/Random.h"
#include "render/CellColoring.h"
#include "render/CellPalette.h"
#include "render/Filters.h"
#include "saver/SeededRandom.h"
#include "weftcpplib/CDIBData.h"

// Every hot loop at each SIMD level (the first argument: 0 scalar, 1 sse2,
// 2 avx2, 3 avx512; -1 the level in force, which the environment variable
// TESSEL_SIMD can lower).
// The label names the level that ran.
namespace {

using platform::SimdLevel;

constexpr std::int32_t kCellW = 802, kCellH = 602;
constexpr std::int64_t kActive = -1;

const bool kContext = [] {
    if (const char* cap = std::getenv("TESSEL_SIMD"); cap != nullptr && !platform::CapSimdLevel(cap))
        std::fprintf(stderr, "TESSEL_SIMD=%s: not a level this processor supports; using %s\n", cap,
                     platform::SimdLevelName(platform::ActiveSimdLevel()));
    benchmark::AddCustomContext("simd_supported", platform::SimdLevelName(platform::SupportedSimdLevel()));
    benchmark::AddCustomContext("simd_in_force", platform::SimdLevelName(platform::ActiveSimdLevel()));
    return true;
}();

// Puts the benchmark's level in force for its run; false (and the benchmark
// is skipped) when the processor lacks it.
class LevelForRun {
public:
    explicit LevelForRun(benchmark::State& state) : saved_(platform::ActiveSimdLevel())
    {
        const std::int64_t wanted = state.range(0);
        ok_ = wanted == kActive || platform::SelectSimdLevel(static_cast<SimdLevel>(wanted));
        if (!ok_)
            state.SkipWithError("this processor lacks the level");
        else
            state.SetLabel(platform::SimdLevelName(platform::ActiveSimdLevel()));
    }
    ~LevelForRun() { platform::SelectSimdLevel(saved_); }
    LevelForRun(const LevelForRun&) = delete;
    LevelForRun& operator=(const LevelForRun&) = delete;
    bool ok() const { return ok_; }

private:
    SimdLevel saved_;
    bool ok_ = false;
};


// A catalogue scene's engine on a field of the given size, seeded evenly.
void Prepare(core::CAEngine& engine, int scene_no, std::int32_t w, std::int32_t h)
{
    const config::SceneData& scene = core::builtin_scenes.at(static_cast<std::size_t>(scene_no - 1));
    engine.SetSize(w, h);
    std::copy(std::begin(scene.param), std::end(scene.param), engine.param);
    engine.tilling = scene.tilling;
    engine.init = 0;
    saver::SeededRandom random(0x2545F491u); // repeatable fields, so that runs compare
    platform::ScopedRandomSource scoped(random);
    engine.Initialize();
}

// A field as a running scene shows it: a few generations past the seeding.
void RunningField(core::CAEngine& engine)
{
    Prepare(engine, 21, kCellW, kCellH);
    for (int i = 0; i < 20; ++i)
        engine.Step();
    render::BuildPalette(0, 255, 255, 1530, 255, 255, 0);
}

void BM_Step(benchmark::State& state)
{
    const LevelForRun level(state);
    if (!level.ok())
        return;
    const auto w = static_cast<std::int32_t>(state.range(1)), h = static_cast<std::int32_t>(state.range(2));
    core::CAEngine engine;
    Prepare(engine, 21, w, h);
    for (auto _ : state) {
        engine.Step();
        if (!engine.alive) {
            state.PauseTiming();
            Prepare(engine, 21, w, h);
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations() * (w - 2) * (h - 2));
}
BENCHMARK(BM_Step)
    ->ArgNames({"simd", "w", "h"})
    ->ArgsProduct({{kActive, 0, 1, 2, 3}, {kCellW}, {kCellH}})
    ->ArgsProduct({{kActive, 0, 1, 2, 3}, {1026}, {1026}})
    ->Unit(benchmark::kMicrosecond);

// The heaviest tick: 100 generations of the largest field.
void BM_Step100Largest(benchmark::State& state)
{
    const LevelForRun level(state);
    if (!level.ok())
        return;
    core::CAEngine engine;
    Prepare(engine, 21, 1026, 1026);
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i)
            engine.Step();
        if (!engine.alive) {
            state.PauseTiming();
            Prepare(engine, 21, 1026, 1026);
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations() * 100 * 1024 * 1024);
}
BENCHMARK(BM_Step100Largest)->ArgName("simd")->DenseRange(-1, 3)->Unit(benchmark::kMillisecond);

void BM_Color(benchmark::State& state)
{
    const LevelForRun level(state);
    if (!level.ok())
        return;
    core::CAEngine engine;
    RunningField(engine);
    auto image = weftcpplib::MakeImage(kCellW, kCellH);
    for (auto _ : state) {
        render::ColorCells(engine.current.data, image->Pixels(), static_cast<std::size_t>(image->Count()));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * image->Count());
}
BENCHMARK(BM_Color)->ArgName("simd")->DenseRange(-1, 3)->Unit(benchmark::kMicrosecond);

void BM_Median(benchmark::State& state)
{
    const LevelForRun level(state);
    if (!level.ok())
        return;
    core::CAEngine engine;
    RunningField(engine);
    auto image = weftcpplib::MakeImage(kCellW, kCellH);
    for (auto _ : state) {
        render::MedianToImage(engine.current, *image, core::TILE_GRID);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * image->Count());
}
BENCHMARK(BM_Median)->ArgName("simd")->DenseRange(-1, 3)->Unit(benchmark::kMicrosecond);

// Blurring in place again and again costs the same as blurring a fresh frame.
void BM_Blur(benchmark::State& state)
{
    const LevelForRun level(state);
    if (!level.ok())
        return;
    core::CAEngine engine;
    RunningField(engine);
    auto image = weftcpplib::MakeImage(kCellW, kCellH);
    render::ColorCells(engine.current.data, image->Pixels(), static_cast<std::size_t>(image->Count()));
    for (auto _ : state) {
        render::BoxBlur(*image, core::TILE_GRID);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * image->Count());
}
BENCHMARK(BM_Blur)->ArgName("simd")->DenseRange(-1, 3)->Unit(benchmark::kMicrosecond);

void BM_DefaultFrame(benchmark::State& state)
{
    const LevelForRun level(state);
    if (!level.ok())
        return;
    // The default frame: the grid scene through the whole frame host.
    bench::GridSceneHost rig(false);
    rig.Start(nullptr, 1920, 1080);
    for (auto _ : state)
        rig.host.Tick(1920, 1080);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DefaultFrame)->ArgName("simd")->DenseRange(-1, 3)->Unit(benchmark::kMicrosecond);

} // namespace
