#include "saver/win32/SettingsDialog.h"

// Its archive is linked after the settings dialog's library, so the linker
// takes this only while that library does not define the real one.
int ShowSettingsDialog(HWND parent)
{
    MessageBoxW(parent, L"The settings dialog is not available yet.", L"Tessel", MB_OK | MB_ICONINFORMATION);
    return 0;
}
