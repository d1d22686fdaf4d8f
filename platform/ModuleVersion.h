#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace platform {

// A program's version: major, minor, build, revision.
using VersionNumbers = std::array<std::uint16_t, 4>;

// Reads the version of the program at module_path. On Windows it comes from
// the program's version resource; elsewhere from the build's own numbers.
// On failure returns false with the system's error code and leaves version
// alone.
bool ReadModuleVersion(const std::wstring& module_path, VersionNumbers& version, std::uint32_t& error);

// The version this build was configured with, the numbers the version
// resource is made from.
inline VersionNumbers BuiltVersion()
{
    return {TESSEL_VERSION_MAJOR, TESSEL_VERSION_MINOR, TESSEL_VERSION_BUILD, TESSEL_VERSION_REVISION};
}

} // namespace platform
