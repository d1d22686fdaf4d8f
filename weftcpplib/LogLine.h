#pragma once
#include <cstddef>

#include "platform/System.h"

// The time-stamped line of the log file, apart from the file so that its
// exact text can be checked for a chosen time.
namespace weftcpplib {

// Line buffers hold 512 units with the NUL: a line is at most 511.
inline constexpr std::size_t kLogLineUnits = 512;

// Formats "YYYY/MM/DD hh:mm:ss.mmm message" and CR LF into `buffer`. A line
// too long for the buffer loses the end of its message, never its CR LF.
// Returns the number of units written, without the NUL.
std::size_t FormatLogLine(wchar_t* buffer, std::size_t units, const platform::LocalTime& time, const wchar_t* message);

// Where log lines take their time from; platform::LocalNow unless a test
// sets another. Returns the clock it replaces.
using LogClock = platform::LocalTime (*)();
LogClock SetLogClock(LogClock clock);
platform::LocalTime LogTimeNow();

} // namespace weftcpplib
