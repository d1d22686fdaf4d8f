#include <windows.h>

#include "config/FileOps.h"
#include "platform/Files.h"

std::filesystem::path StreamPath(const std::wstring& path)
{
    return std::filesystem::path(platform::ExtendedPath(path));
}

bool MoveOverFile(const std::wstring& from, const std::wstring& to, std::uint32_t& error)
{
    if (MoveFileExW(platform::ExtendedPath(from).c_str(), platform::ExtendedPath(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    error = GetLastError();
    return false;
}

void RemoveQuietly(const std::wstring& path)
{
    if (!path.empty())
        DeleteFileW(platform::ExtendedPath(path).c_str());
}
