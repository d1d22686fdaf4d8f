#pragma once
#include <cstdint>
#include <string>

#include "config/WeftConfig.h"

// Reads the version of the program at module_path. On Windows it comes from
// the program's version resource; elsewhere from the build's own numbers.
// On failure returns false with the system's error code and leaves version
// alone.
bool ReadModuleVersion(const std::wstring& module_path, ModuleVersion& version, std::uint32_t& error);

// The version this build was configured with, the numbers the version
// resource is made from.
inline ModuleVersion BuiltVersion()
{
    return {TESSEL_VERSION_MAJOR, TESSEL_VERSION_MINOR, TESSEL_VERSION_BUILD, TESSEL_VERSION_REVISION};
}
