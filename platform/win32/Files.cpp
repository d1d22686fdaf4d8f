#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include "platform/Files.h"

namespace platform {
namespace {

// Closes a search handle on every way out.
struct FindHandle {
    HANDLE handle;
    ~FindHandle()
    {
        if (handle != INVALID_HANDLE_VALUE)
            FindClose(handle);
    }
};

} // namespace


PathKind KindOfPath(const std::wstring& path)
{
    if (path.empty())
        return PathKind::none;
    const DWORD attributes = GetFileAttributesW(ExtendedPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PathKind::none;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::folder : PathKind::file;
}

bool MakeFolder(const std::wstring& folder, std::uint32_t& error)
{
    if (CreateDirectoryW(ExtendedPath(folder).c_str(), nullptr))
        return true;
    error = GetLastError();
    return error == ERROR_ALREADY_EXISTS && KindOfPath(folder) == PathKind::folder;
}

bool CopyToNewFile(const std::wstring& from, const std::wstring& to, std::uint32_t& error)
{
    if (CopyFileW(ExtendedPath(from).c_str(), ExtendedPath(to).c_str(), TRUE))
        return true;
    error = GetLastError();
    return false;
}

std::wstring ExtendedPath(const std::wstring& path)
{
    // The classic calls refuse 260 units and more unless the path says so.
    if (path.size() < MAX_PATH || path.starts_with(L"\\\\?\\"))
        return path;
    if (path.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + path.substr(2);
    if (path.size() > 2 && path[1] == L':' && path[2] == L'\\')
        return L"\\\\?\\" + path;
    return path;
}

bool UserSettingsFolder(std::wstring& folder, std::uint32_t& error)
{
    wchar_t* known = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &known);
    if (FAILED(result) || known == nullptr) {
        CoTaskMemFree(known);
        error = static_cast<std::uint32_t>(result);
        return false;
    }
    folder = known;
    CoTaskMemFree(known);
    if (folder.empty()) {
        error = ERROR_PATH_NOT_FOUND;
        return false;
    }
    if (folder.back() != L'\\')
        folder += L'\\';
    return true;
}

std::filesystem::path StreamPath(const std::wstring& path)
{
    return std::filesystem::path(ExtendedPath(path));
}

bool MoveOverFile(const std::wstring& from, const std::wstring& to, std::uint32_t& error)
{
    if (MoveFileExW(ExtendedPath(from).c_str(), ExtendedPath(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    error = GetLastError();
    return false;
}

bool RemoveFile(const std::wstring& path)
{
    return DeleteFileW(path.c_str()) != 0;
}

bool RenameFile(const std::wstring& from, const std::wstring& to)
{
    return MoveFileW(from.c_str(), to.c_str()) != 0;
}

std::vector<std::wstring> FindFileNames(const std::wstring& pattern)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    FindHandle search{FindFirstFileW(pattern.c_str(), &found)};
    if (search.handle == INVALID_HANDLE_VALUE)
        return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.emplace_back(found.cFileName);
    } while (FindNextFileW(search.handle, &found));
    return names;
}

std::uint32_t NameTooLongError()
{
    return ERROR_FILENAME_EXCED_RANGE;
}

std::uint32_t PathNotFoundError()
{
    return ERROR_PATH_NOT_FOUND;
}

std::uint32_t FileExistsError()
{
    return ERROR_FILE_EXISTS;
}

std::uint32_t FolderInTheWayError()
{
    return ERROR_ACCESS_DENIED;
}

std::uint32_t WriteFaultError()
{
    return ERROR_WRITE_FAULT;
}

} // namespace platform
