#include "config/ModuleVersion.h"

// Without version resources the numbers the build was configured with are
// the program's version.
bool ReadModuleVersion(const std::wstring&, ModuleVersion& version, std::uint32_t&)
{
    version = BuiltVersion();
    return true;
}
