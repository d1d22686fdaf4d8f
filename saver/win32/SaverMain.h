#pragma once
#include <windows.h>

namespace saver::win32 {

// Runs the mode the command line names (settings, full screen, preview or
// password change); returns the program's exit code.
int SaverMain(HINSTANCE instance, const wchar_t* command_line, int show_command);

} // namespace saver::win32
