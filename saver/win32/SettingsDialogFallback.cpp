#include "saver/win32/SettingsDialog.h"

// Linked only when the settings dialog's library does not define the real
// one; weak so that a definition elsewhere always wins.
__attribute__((weak)) int ShowSettingsDialog(HWND parent)
{
    MessageBoxW(parent, L"The settings dialog is not available yet.", L"Tessel", MB_OK | MB_ICONINFORMATION);
    return 0;
}
