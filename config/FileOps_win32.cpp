#include <windows.h>
#include <shlwapi.h>

#include "config/FileOps.h"

std::filesystem::path StreamPath(const std::wstring& path)
{
    return std::filesystem::path(path);
}

bool FileExists(const std::wstring& path)
{
    return !path.empty() && PathFileExistsW(path.c_str());
}

bool MoveOverFile(const std::wstring& from, const std::wstring& to, std::uint32_t& error)
{
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    error = GetLastError();
    return false;
}

void RemoveQuietly(const std::wstring& path)
{
    if (!path.empty())
        DeleteFileW(path.c_str());
}
