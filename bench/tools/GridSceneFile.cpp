// Writes a settings file that plays the benchmarks' scene (GridScene.h)
// forever, so that a desktop program's processor time per frame can be set
// beside BM_FrameOnMonitors.
//   grid-scene-file PATH      exit code 0 = written
#include <cstdio>

#include "GridScene.h"
#include "config/PlayMode.h"
#include "platform/ModuleVersion.h"
#include "platform/Utf16.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: grid-scene-file PATH\n");
        return 2;
    }
    config::WeftConfig model;
    bench::UseGridScene(model);
    model.module_version = platform::BuiltVersion();
    model.data_file_path = platform::WideFromUtf8(argv[1]);
    model.user_data_file_path.clear();
    // The programs play the list's selected scene; the benchmark's clock
    // stands still, so a play time of 0 never ends there: here it must be
    // "forever" instead.
    config::SceneData scene = model.current_scene;
    scene.time = -1;
    for (std::size_t i = 0; i < model.scene_list.size(); ++i) {
        if (model.scene_list[i].no != bench::kGridSceneNo)
            continue;
        model.scene_list[i] = scene;
        model.settings.play = config::PLAY_RULE_SELECT;
        model.settings.select = static_cast<std::int32_t>(i);
        model.SetCurrentScene(scene);
        if (model.WriteDataFile())
            return 0;
        std::fprintf(stderr, "grid-scene-file: could not write %s\n", argv[1]);
        return 1;
    }
    std::fprintf(stderr, "grid-scene-file: no scene %d in the list\n", bench::kGridSceneNo);
    return 1;
}
