#pragma once
#include <windows.h>

// The settings dialog, provided by the user interface library: runs dialog
// resource 2003 modally over `parent` (may be null) and returns its result.
// Until that library provides it, a fallback says the dialog is missing.
int ShowSettingsDialog(HWND parent);
