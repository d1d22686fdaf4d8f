#pragma once
#include "config/WeftConfig.h"
#include "core/BuiltinScenes.h"
#include "core/TilingMode.h"

// The benchmarks' scene: No. 21 on an 800 x 600 field, one generation per
// tick, blurred and laid as a grid of tiles, without random variations; it
// does not die out within a run. The desktop programs' processor-time
// script plays the same scene (grid-scene-file) so that their time per frame
// compares with BM_FrameOnMonitors.
namespace bench {

inline constexpr int kGridSceneNo = 21;

inline void UseGridScene(config::WeftConfig& config)
{
    config.settings.fps = 60;
    config.settings.play = 0;
    config::SceneData scene = core::builtin_scenes.at(kGridSceneNo - 1);
    scene.drop = 0;
    scene.time = 0;
    scene.random_flags = 0;
    scene.size = {800, 600};
    scene.init = 0;
    scene.tilling = core::TILE_GRID;
    scene.proc = config::PROC_BLUR;
    config.current_scene = scene;
}

} // namespace bench
