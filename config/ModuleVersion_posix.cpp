#include "config/ModuleVersion.h"

// Without version resources the numbers the build was configured with are
// the program's version.
bool ReadModuleVersion(const std::wstring&, ModuleVersion& version, std::uint32_t&)
{
    version = {TESSEL_VERSION_MAJOR, TESSEL_VERSION_MINOR, TESSEL_VERSION_BUILD, TESSEL_VERSION_REVISION};
    return true;
}
