#pragma once
#include <cstdint>
#include <string>

// File-system services of the settings' storage that the standard library
// does not give portably: what a path names, folders, copies, and paths
// longer than the classic 260-unit limit.
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

} // namespace platform
