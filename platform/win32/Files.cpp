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

// Writes what the system holds of the file's bytes to the disk; false, with
// the last error set, when it could not.
bool FlushToDisk(const std::wstring& path)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool flushed = FlushFileBuffers(file) != 0;
    const DWORD error = GetLastError();
    CloseHandle(file);
    SetLastError(error);
    return flushed;
}

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

namespace {

// Closes a handle on every way out.
struct Handle {
    HANDLE handle;
    ~Handle()
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};

// The first max_bytes of a file too large to be copied whole.
bool CopyFirstBytes(const std::wstring& from, const std::wstring& to, std::uint64_t max_bytes, std::uint32_t& error)
{
    const Handle in{CreateFileW(ExtendedPath(from).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (in.handle == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return false;
    }
    Handle out{CreateFileW(ExtendedPath(to).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                           nullptr)};
    if (out.handle == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return false;
    }
    char buffer[65536];
    for (std::uint64_t left = max_bytes; left > 0;) {
        DWORD got = 0, written = 0;
        const DWORD want = static_cast<DWORD>(left < sizeof buffer ? left : sizeof buffer);
        if (!ReadFile(in.handle, buffer, want, &got, nullptr) ||
            (got > 0 && (!WriteFile(out.handle, buffer, got, &written, nullptr) || written != got))) {
            error = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
            CloseHandle(out.handle);
            out.handle = INVALID_HANDLE_VALUE;
            DeleteFileW(ExtendedPath(to).c_str());
            return false;
        }
        if (got == 0)
            break;
        left -= got;
    }
    return true;
}

} // namespace

bool CopyToNewFile(const std::wstring& from, const std::wstring& to, std::uint64_t max_bytes, std::uint32_t& error)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExW(ExtendedPath(from).c_str(), GetFileExInfoStandard, &data) &&
        ((std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow) > max_bytes)
        return CopyFirstBytes(from, to, max_bytes, error);
    if (CopyFileW(ExtendedPath(from).c_str(), ExtendedPath(to).c_str(), TRUE))
        return true;
    error = GetLastError();
    return false;
}

// Settings paths here are followed by the system's own calls; a move
// replaces a link as it replaces a file.
std::wstring LinkTarget(const std::wstring& path)
{
    return path;
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
    // The write-through move waits for the new name to reach the disk, not
    // for the file's bytes: those are flushed first.
    if (FlushToDisk(ExtendedPath(from)) &&
        MoveFileExW(ExtendedPath(from).c_str(), ExtendedPath(to).c_str(),
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
