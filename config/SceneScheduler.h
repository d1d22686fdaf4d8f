#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "config/SceneData.h"

namespace core {
class CAEngine;
}

namespace config {

class WeftConfig;

// Decides which scene plays next and starts it: takes it from the play list
// (made from the play mode and the scenario), applies its random variations,
// records it in current_scene, and sets the engine and the palette up.
class SceneScheduler {
public:
    // Starts the next scene on an engine for a screen of the given size.
    void NewScene(WeftConfig& config, core::CAEngine& engine, int screen_width, int screen_height);

    // Refers to scenes of config.scene_list, or to config.current_scene in
    // play mode 0 (and in the list modes while the scenario is empty).
    std::vector<SceneData*> play_list;

private:
    void MakePlayList(WeftConfig& config);
    void SceneSetting(WeftConfig& config, core::CAEngine& engine, int screen_width, int screen_height);

    // The list the play list was made over. When it has changed since, the
    // references may be stale and the play list is made anew.
    struct ListStamp {
        const WeftConfig* config = nullptr;
        const SceneData* data = nullptr;
        std::size_t size = 0;
        std::uint32_t revision = 0;
        bool operator==(const ListStamp&) const = default;
    };
    static ListStamp StampOf(const WeftConfig& config);
    ListStamp made_over_;
};

} // namespace config
