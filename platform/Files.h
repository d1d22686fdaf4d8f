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

// other: a device, FIFO or socket, which the program never reads or writes
// as one of its files.
enum class PathKind { none, file, folder, other };

// What is at path now (none also when it cannot be told).
PathKind KindOfPath(const std::wstring& path);

// Makes the folder (its parent must exist); true when it exists afterwards.
bool MakeFolder(const std::wstring& folder, std::uint32_t& error);

// Copies at most max_bytes of a regular file to a name that must not exist
// yet; never replaces a file, never reads anything else.
bool CopyToNewFile(const std::wstring& from, const std::wstring& to, std::uint64_t max_bytes,
                   std::uint32_t& error);

// The file a path names once symbolic links are followed (the path itself
// where there are none, or where they cannot be followed).
std::wstring LinkTarget(const std::wstring& path);

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

// Moves `from` over `to`, replacing it in one step. `from`'s bytes reach the
// disk first, so that not even a power loss can leave `to` empty or partial,
// and the move itself is made lasting. On failure `to` is left as it was and
// error holds the system's code. Only a regular file is replaced, and `from`
// takes over its permissions.
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
