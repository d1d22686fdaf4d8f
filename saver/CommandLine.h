#pragma once
#include <cstdint>

// How the system asked the saver to start. Windows hands the mode over as one
// option letter on the command line; this turns the line into a mode and the
// window handle that goes with it, leaving every system call to the caller.
namespace saver {

enum class SaverMode {
    Settings,       // settings dialog; parent given or none
    SettingsOver,   // settings dialog over the named window, else the foreground one
    FullScreen,
    Preview,        // child of the named window
    ChangePassword, // older family only
    Invalid,
};

struct SaverCommand {
    SaverMode mode = SaverMode::Invalid;
    // Decimal window handle from the line; 0 when none was given.
    std::uintptr_t window = 0;
};

// Skips the program name (quoted up to its closing quote, else up to the first
// character at or below the space) and the white space after it.
const wchar_t* SkipProgramName(const wchar_t* line);

// Decimal digits from the start of the text up to the first non-digit; no
// digits, or a number too large for a handle, give 0 (no window).
std::uintptr_t ParseWindowHandle(const wchar_t* text);

SaverCommand ParseSaverCommand(const wchar_t* arguments);

} // namespace saver
