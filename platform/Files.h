#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// File-system services that the standard library does not give portably:
// what a path names, folders, copies, moves, the log's rotation steps, and
// paths longer than the classic 260-unit limit.
namespace platform {

enum class PathKind { none, file, folder };

// What is at path now (none also when it cannot be told).
PathKind KindOfPath(const std::wstring& path);

// Makes the folder (its parent must exist); true when it exists afterwards.
bool MakeFolder(const std::wstring& folder, std::uint32_t& error);

// Copies a file to a name that must not exist yet; never replaces a file.
bool CopyToNewFile(const std::wstring& from, const std::wstring& to, std::uint32_t& error);

// The form of path that the system's file calls accept whatever its length
// (on Windows the "\\?\" form for long absolute paths); other paths unchanged.
std::wstring ExtendedPath(const std::wstring& path);

// The longest path, in UTF-16 units without the terminator, that the file
// calls accept in the extended form.
inline constexpr std::size_t kMaxExtendedPathUnits = 32767 - 1;

// The user's own folder for roaming program settings, ending with the path
// separator; false, with the system's code, when there is none.
bool UserSettingsFolder(std::wstring& folder, std::uint32_t& error);

// Each returns false when the system refused (the error is then in
// LastErrorCode()). Renaming never replaces an existing file.
bool RemoveFile(const std::wstring& path);
bool RenameFile(const std::wstring& from, const std::wstring& to);

// Names (without folder) of the files matching a path whose last part may
// hold the wildcards * and ?. Folders are left out.
std::vector<std::wstring> FindFileNames(const std::wstring& pattern);

// The system's codes for failures that portable code finds itself: "file
// name too long", "path not found", "file exists", "write fault", and what
// the system answers when a file is to be written where a folder is.
std::uint32_t NameTooLongError();
std::uint32_t PathNotFoundError();
std::uint32_t FileExistsError();
std::uint32_t WriteFaultError();
std::uint32_t FolderInTheWayError();

// Moves `from` over `to`, replacing it in one step; on failure `to` is left
// as it was and error holds the system's code.
bool MoveOverFile(const std::wstring& from, const std::wstring& to, std::uint32_t& error);

// Removes a file if it is there; for paths of any length, failures ignored.
inline void RemoveQuietly(const std::wstring& path)
{
    if (!path.empty())
        RemoveFile(ExtendedPath(path));
}

// A path for the standard streams from wide text (UTF-8 bytes off Windows,
// the long form of long paths on Windows).
std::filesystem::path StreamPath(const std::wstring& path);

} // namespace platform
