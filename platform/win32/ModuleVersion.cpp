#include <windows.h>

#include <vector>

#include "platform/ModuleVersion.h"

namespace platform {

bool ReadModuleVersion(const std::wstring& module_path, VersionNumbers& version, std::uint32_t& error)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(module_path.c_str(), &ignored);
    if (size == 0) {
        error = GetLastError();
        return false;
    }
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoW(module_path.c_str(), 0, size, block.data())) {
        error = GetLastError();
        return false;
    }
    void* info = nullptr;
    UINT info_size = 0;
    if (!VerQueryValueW(block.data(), L"\\", &info, &info_size) || info_size < sizeof(VS_FIXEDFILEINFO)) {
        error = GetLastError();
        return false;
    }
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(info);
    version = {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
               LOWORD(fixed->dwFileVersionLS)};
    return true;
}

} // namespace platform
