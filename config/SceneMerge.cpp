#include "config/SceneMerge.h"

#include <algorithm>
#include <limits>

#include "config/SceneName.h"
#include "weftcpplib/CWeftLogManager.h"

namespace config {

using weftcpplib::LOG_INFO;
using weftcpplib::WeftLog;

namespace {

std::int32_t ScaleFrom1000(std::int32_t value)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) * 255u / 1000u);
}

// Saturates rather than wrapping into the negative orders, which would drop
// the scene from the scenario.
void PlaceAtScenarioEnd(SceneData& scene, std::int16_t& top)
{
    if (scene.order <= 0)
        return;
    if (top < std::numeric_limits<std::int16_t>::max())
        ++top;
    scene.order = top;
}

} // namespace

void ConvertSaturationScale(SceneData& scene)
{
    scene.s_min2 = ScaleFrom1000(scene.s_min2);
    scene.s_max2 = ScaleFrom1000(scene.s_max2);
}

namespace {

bool Listed(const std::vector<SceneData>& list, std::int16_t no)
{
    return std::any_of(list.begin(), list.end(), [no](const SceneData& scene) { return scene.no == no; });
}

// The merge walk. With only_missing a built-in scene listed anywhere is not
// added again, whatever the order of the list.
void Merge(std::vector<SceneData>& list, std::span<const SceneData> builtins, std::int16_t& top,
           bool only_missing)
{
    std::size_t f = 0;
    std::size_t b = 0;
    while (b < builtins.size()) {
        const SceneData& builtin = builtins[b];
        if (f < list.size() && list[f].no == builtin.no) {
            ++f;
            ++b;
        } else if (f < list.size() && list[f].no < builtin.no) {
            ++f;
        } else if (only_missing && Listed(list, builtin.no)) {
            ++b;
        } else if (f == list.size()) {
            WeftLog().Print(LOG_INFO, L"+ No.%d \"%ls\"", builtin.no, SceneName(builtin).c_str());
            list.push_back(builtin);
            PlaceAtScenarioEnd(list.back(), top);
            f = list.size();
            ++b;
        } else {
            WeftLog().Print(LOG_INFO, L"< No.%d \"%ls\"", builtin.no, SceneName(builtin).c_str());
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(f), builtin);
            PlaceAtScenarioEnd(list[f], top);
            ++b;
        }
    }
}

} // namespace

void MergeBuiltinScenes(std::vector<SceneData>& list, std::span<const SceneData> builtins, std::int16_t& top)
{
    Merge(list, builtins, top, false);
}

std::size_t RestoreMissingBuiltinScenes(std::vector<SceneData>& list, std::span<const SceneData> builtins,
                                        std::int16_t& top)
{
    const auto missing = static_cast<std::size_t>(std::count_if(
        builtins.begin(), builtins.end(), [&](const SceneData& builtin) { return !Listed(list, builtin.no); }));
    if (missing == 0)
        return 0;
    WeftLog().Print(weftcpplib::LOG_WARN, L"scene_list lacks %d built-in scenes : merged",
                    static_cast<int>(missing));
    Merge(list, builtins, top, true);
    return missing;
}

} // namespace config
