#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "config/SceneData.h"
#include "config/WeftConfig.h"

namespace config {

// Byte layout of the data file, little-endian throughout:
//   header (92): id "Tessel" + 6 zero bytes, 4 reserved, version 4 x uint16,
//                the 68-byte CommonSettings
//   head (100):  int32 count (scenes in the list + 1), current_scene
//   records:     count - 1 SceneData of 96 bytes, the scene list in order

inline constexpr std::size_t kHeaderSize = 92;
inline constexpr std::size_t kHeadSize = 100;
inline constexpr std::size_t kRecordSize = sizeof(SceneData);
inline constexpr std::size_t kIdSize = 12;
inline constexpr std::size_t kVersionOffset = 16;
inline constexpr std::size_t kSettingsOffset = 24;
inline constexpr std::size_t kCurrentSceneOffset = 4;  // within the head

// A sound file holds at most one scene per scene number, each number a
// 16-bit value: no settings file is larger than this.
inline constexpr std::uint64_t kLargestSoundFileSize = kHeaderSize + kHeadSize + kRecordSize * 65536;

using Header = std::array<unsigned char, kHeaderSize>;
using Head = std::array<unsigned char, kHeadSize>;
using Record = std::array<unsigned char, kRecordSize>;

Header EncodeHeader(const ModuleVersion& version, const CommonSettings& settings);
Head EncodeHead(std::int32_t count, const SceneData& current_scene);
Record EncodeRecord(const SceneData& scene);

bool HasFileId(const Header& header);
ModuleVersion DecodeVersion(const Header& header);
CommonSettings DecodeSettings(const Header& header);
std::int32_t DecodeCount(const Head& head);
SceneData DecodeCurrentScene(const Head& head);
SceneData DecodeRecord(const Record& record);

// major * 65536 + minor, the part of a version that decides conversions.
inline std::uint32_t FeatureLevel(const ModuleVersion& version)
{
    return static_cast<std::uint32_t>(version[0]) * 65536u + version[1];
}


// Only a damaged data file holds values outside what the settings dialog
// allows. These put back safe values where a wrong one would crash or stall
// the program, and log each change; everything else is kept as stored.

// fps, drop, time and play back to their defaults when out of range; a
// select that is no index of the list becomes 0.
void RepairCommonSettings(CommonSettings& settings, std::size_t scene_count);

// Returns true when select had to be changed.
bool RepairSelect(CommonSettings& settings, std::size_t scene_count);

// Ends a name that fills all 16 units with a zero in its last unit.
void TerminateName(SceneData& scene);

} // namespace config
