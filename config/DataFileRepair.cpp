#include "config/DataFileRepair.h"

#include "config/Defaults.h"
#include "weftcpplib/CWeftLogManager.h"

using weftcpplib::LOG_WARN;
using weftcpplib::WeftLog;

void RepairCommonSettings(CommonSettings& settings, std::size_t scene_count)
{
    if (settings.fps == 0 || settings.fps > kMaxFps) {
        WeftLog().Print(LOG_WARN, L"  fps %u out of range : set to %u", settings.fps, kDefaultFps);
        settings.fps = kDefaultFps;
    }
    if (settings.drop < 0 || settings.drop > kMaxDrop) {
        WeftLog().Print(LOG_WARN, L"  drop %d out of range : set to %d", settings.drop, kDefaultDrop);
        settings.drop = kDefaultDrop;
    }
    if (settings.time < 0 || settings.time > kMaxTime) {
        WeftLog().Print(LOG_WARN, L"  time %d out of range : set to %d", settings.time, kDefaultTime);
        settings.time = kDefaultTime;
    }
    if (settings.play < PLAY_RULE_CODE || settings.play > PLAY_LIST_ONE) {
        WeftLog().Print(LOG_WARN, L"  play %d out of range : set to %d", settings.play, kDefaultPlay);
        settings.play = kDefaultPlay;
    }
    RepairSelect(settings, scene_count);
}

bool RepairSelect(CommonSettings& settings, std::size_t scene_count)
{
    const bool valid = settings.select >= 0 && static_cast<std::size_t>(settings.select) < scene_count;
    // An empty list has no valid index; 0 is the harmless stand-in then.
    if (valid || settings.select == 0)
        return false;
    WeftLog().Print(LOG_WARN, L"  select %d out of range : set to 0", settings.select);
    settings.select = 0;
    return true;
}

void TerminateName(SceneData& scene)
{
    for (const auto unit : scene.name) {
        if (unit == 0)
            return;
    }
    WeftLog().Print(LOG_WARN, L"  name of No.%d has no terminating zero : cut to %d units", scene.no,
                    static_cast<int>(kSceneNameUnits - 1));
    scene.name[kSceneNameUnits - 1] = 0;
}
