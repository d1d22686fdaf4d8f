#include <windows.h>

#include "saver/CommandLine.h"
#include "saver/win32/SaverMain.h"

// The process command line is parsed here rather than trusting the runtime's
// split, so quoting of the program name follows the system's own rule.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    const wchar_t* arguments = saver::SkipProgramName(GetCommandLineW());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    return saver::win32::SaverMain(instance, arguments, show);
}
