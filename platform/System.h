#pragma once
#include <cstdint>
#include <string>

// The few operating-system services the portable code needs, with a Win32
// and a POSIX implementation.
namespace platform {

#ifdef _WIN32
inline constexpr wchar_t kPathSeparator = L'\\';
#else
inline constexpr wchar_t kPathSeparator = L'/';
#endif

// Milliseconds since an arbitrary start, wrapping at 2^32 (GetTickCount).
std::uint32_t TickCountMs();

struct LocalTime {
    int year, month, day, hour, minute, second, millisecond;
};
LocalTime LocalNow();

// The last error code of the calling thread (GetLastError / errno).
std::uint32_t LastErrorCode();
// Sets it to 0, so that a failure that sets none can be told apart.
void ClearLastErrorCode();

// Full path of the running executable; on failure returns false and sets
// error to the system's code.
bool ModuleFilePath(std::wstring& path, std::uint32_t& error);

// The user's temporary folder, ending with the path separator.
std::wstring TempFolder();

// The folder of the program's log files, ending with the path separator:
// on Windows the user's temporary folder (the user's own there); elsewhere
// the user's state folder, $XDG_STATE_HOME/tessel/ or ~/.local/state/tessel/,
// made private to the user when missing. False, with the reason, when there
// is no such folder of the user's.
bool LogFolder(std::wstring& folder, std::wstring& problem);

// The system's text for an error code, as the system returns it; false when
// the system knows no text for it.
bool SystemErrorText(std::uint32_t code, std::wstring& text);

// The text of a code that the system's table lacks, from the message table
// of the NT run-time library (NTDLL.DLL), where NTSTATUS codes often are;
// false where there is none (always off Windows).
bool NtStatusText(std::uint32_t code, std::wstring& text);

// One line on the standard error stream, then flushed; failures are ignored.
void WriteErrorLine(const wchar_t* line);

} // namespace platform
