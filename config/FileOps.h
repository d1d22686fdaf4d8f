#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

// The few file-system operations the data file needs beyond streams.

// A path for the standard streams from wide text (UTF-8 bytes off Windows,
// the long form of long paths on Windows).
std::filesystem::path StreamPath(const std::wstring& path);

// Moves `from` over `to`, replacing it in one step; on failure `to` is left as
// it was and error holds the system's code.
bool MoveOverFile(const std::wstring& from, const std::wstring& to, std::uint32_t& error);

// Removes a file if it is there; failures are of no interest to the caller.
void RemoveQuietly(const std::wstring& path);
