#include "platform/ModuleVersion.h"

namespace platform {

// Without version resources the numbers the build was configured with are
// the program's version.
bool ReadModuleVersion(const std::wstring&, VersionNumbers& version, std::uint32_t&)
{
    version = BuiltVersion();
    return true;
}

} // namespace platform
