#include <windows.h>

#include "config/ScopedTempFolder.h"

namespace tessel_test {

// GetTempPathW takes TMP first.
ScopedTempFolder::ScopedTempFolder(const std::wstring& folder)
{
    wchar_t value[MAX_PATH + 1];
    const DWORD length = GetEnvironmentVariableW(L"TMP", value, MAX_PATH + 1);
    if (length > 0 && length <= MAX_PATH) {
        had_value_ = true;
        saved_.assign(value, length);
    }
    SetEnvironmentVariableW(L"TMP", folder.c_str());
}

ScopedTempFolder::~ScopedTempFolder()
{
    SetEnvironmentVariableW(L"TMP", had_value_ ? saved_.c_str() : nullptr);
}

} // namespace tessel_test
