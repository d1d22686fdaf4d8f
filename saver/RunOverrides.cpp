#include "saver/RunOverrides.h"

namespace saver {

bool ApplyOverrides(const RunOverrides& options, config::WeftConfig& config, std::string& error)
{
    if (options.fps)
        config.settings.fps = *options.fps;
    if (options.scene) {
        for (std::size_t i = 0; i < config.scene_list.size(); ++i) {
            if (config.scene_list[i].no == *options.scene) {
                config.settings.play = config::PLAY_RULE_SELECT;
                config.settings.select = static_cast<std::int32_t>(i);
                config.SetCurrentScene(config.scene_list[i]);
                return true;
            }
        }
        error = "no scene number " + std::to_string(*options.scene) + " in the settings";
        return false;
    }
    return true;
}

} // namespace saver
