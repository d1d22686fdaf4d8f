#include "ui/PlayListEdit.h"

#include "platform/Utf16.h"
#include "weftcpplib/WideFormat.h"

namespace ui {

bool AppendToPlayList(config::SceneData& scene, int play_list_size)
{
    if (scene.order >= 0)
        return false;
    scene.order = static_cast<std::int16_t>(play_list_size);
    return true;
}

void RemoveFromPlayList(std::vector<config::SceneData>& scenes, config::SceneData& scene)
{
    // A scene outside the list has nothing to remove; closing its "gap"
    // would shift every entry of the list.
    const std::int16_t removed = scene.order;
    if (removed < 0)
        return;
    scene.order = -1;
    for (config::SceneData& other : scenes) {
        if (other.order > removed)
            --other.order;
    }
}

void SwapPlayListNeighbours(config::SceneData& earlier, config::SceneData& later)
{
    ++earlier.order;
    --later.order;
}

std::wstring SceneEntryText(const config::SceneData& scene)
{
    const std::wstring name = platform::WideFromUtf16(scene.name, config::kSceneNameUnits);
    wchar_t buffer[160];
    weftcpplib::FormatWide(buffer, std::size(buffer), L"%3d : %ls", scene.no, name.c_str());
    return buffer;
}

} // namespace ui
