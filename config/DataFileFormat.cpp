#include "config/DataFileFormat.h"

#include <bit>
#include <cstring>

#include "config/Defaults.h"
#include "weftcpplib/CWeftLogManager.h"

namespace config {

using weftcpplib::LOG_WARN;
using weftcpplib::WeftLog;

// Records are stored exactly as they lie in memory.
static_assert(std::endian::native == std::endian::little, "the data file is little-endian");

namespace {

constexpr unsigned char kFileId[kIdSize] = {'T', 'e', 's', 's', 'e', 'l', 0, 0, 0, 0, 0, 0};

} // namespace

Header EncodeHeader(const ModuleVersion& version, const CommonSettings& settings)
{
    Header header{};
    std::memcpy(header.data(), kFileId, kIdSize);
    for (std::size_t i = 0; i < version.size(); ++i)
        std::memcpy(header.data() + kVersionOffset + 2 * i, &version[i], 2);
    std::memcpy(header.data() + kSettingsOffset, &settings, sizeof settings);
    return header;
}

Head EncodeHead(std::int32_t count, const SceneData& current_scene)
{
    Head head{};
    std::memcpy(head.data(), &count, sizeof count);
    std::memcpy(head.data() + kCurrentSceneOffset, &current_scene, sizeof current_scene);
    return head;
}

Record EncodeRecord(const SceneData& scene)
{
    Record record{};
    std::memcpy(record.data(), &scene, sizeof scene);
    return record;
}

bool HasFileId(const Header& header)
{
    return std::memcmp(header.data(), kFileId, kIdSize) == 0;
}

ModuleVersion DecodeVersion(const Header& header)
{
    ModuleVersion version{};
    for (std::size_t i = 0; i < version.size(); ++i)
        std::memcpy(&version[i], header.data() + kVersionOffset + 2 * i, 2);
    return version;
}

CommonSettings DecodeSettings(const Header& header)
{
    CommonSettings settings;
    std::memcpy(&settings, header.data() + kSettingsOffset, sizeof settings);
    return settings;
}

std::int32_t DecodeCount(const Head& head)
{
    std::int32_t count;
    std::memcpy(&count, head.data(), sizeof count);
    return count;
}

SceneData DecodeCurrentScene(const Head& head)
{
    SceneData scene;
    std::memcpy(&scene, head.data() + kCurrentSceneOffset, sizeof scene);
    return scene;
}

SceneData DecodeRecord(const Record& record)
{
    SceneData scene;
    std::memcpy(&scene, record.data(), sizeof scene);
    return scene;
}


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
    if (!IsPlayMode(settings.play)) {
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

} // namespace config
