#pragma once
#include <string>

#include "config/SceneData.h"
#include "platform/Utf16.h"

namespace config {

// A scene's name as wide text. Never reads past the 16 units of the field,
// whether or not a damaged record ends it with a zero.
inline std::wstring SceneName(const SceneData& scene)
{
    return platform::WideFromUtf16(scene.name, kSceneNameUnits);
}

} // namespace config
