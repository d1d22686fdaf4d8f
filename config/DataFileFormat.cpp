#include "config/DataFileFormat.h"

#include <bit>
#include <cstring>

// Records are stored exactly as they lie in memory.
static_assert(std::endian::native == std::endian::little, "the data file is little-endian");

namespace datafile {
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

} // namespace datafile
