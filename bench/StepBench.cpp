#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "core/BuiltinScenes.h"
#include "core/CAEngine.h"
#include "platform/Random.h"
#include "saver/SeededRandom.h"

namespace {


void SeedUniform(core::CAEngine& engine)
{
    saver::SeededRandom random(0x2545F491u); // repeatable fields, so that runs compare
    platform::ScopedRandomSource scoped(random);
    engine.init = 0;
    engine.Initialize();
}

// Generations of a catalogue scene's rule on a field of the given grid size,
// seeded with the evenly spread pattern; a field that dies is seeded again
// outside the timing.
void StepScene(benchmark::State& state, int scene_no, std::int32_t width, std::int32_t height)
{
    const config::SceneData& scene = core::builtin_scenes.at(static_cast<std::size_t>(scene_no - 1));
    core::CAEngine engine;
    engine.SetSize(width, height);
    std::copy(std::begin(scene.param), std::end(scene.param), engine.param);
    engine.tilling = scene.tilling;
    SeedUniform(engine);
    for (auto _ : state) {
        engine.Step();
        if (!engine.alive) {
            state.PauseTiming();
            SeedUniform(engine);
            state.ResumeTiming();
        }
    }
    const std::int64_t interior = std::int64_t{width - 2} * (height - 2);
    state.SetItemsProcessed(state.iterations() * interior);
}

} // namespace

// 802 x 602 is the default 800 x 600 frame; 1026 x 1026 the largest.
BENCHMARK_CAPTURE(StepScene, No07_092_094_001_802x602, 7, 802, 602)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(StepScene, No21_032_214_005_802x602, 21, 802, 602)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(StepScene, No30_085_111_021_802x602, 30, 802, 602)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(StepScene, No07_092_094_001_1026x1026, 7, 1026, 1026)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(StepScene, No21_032_214_005_1026x1026, 21, 1026, 1026)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(StepScene, No30_085_111_021_1026x1026, 30, 1026, 1026)->Unit(benchmark::kMicrosecond);
