#include <windows.h>

#include "config/ScopedLogFolder.h"

namespace tessel_test {

// The log is in the temporary folder itself.
const wchar_t* const ScopedLogFolder::kLogSubfolder = L"";

// GetTempPathW takes TMP first.
ScopedLogFolder::ScopedLogFolder(const std::wstring& folder)
{
    wchar_t value[MAX_PATH + 1];
    const DWORD length = GetEnvironmentVariableW(L"TMP", value, MAX_PATH + 1);
    if (length > 0 && length <= MAX_PATH) {
        had_value_ = true;
        saved_.assign(value, length);
    }
    SetEnvironmentVariableW(L"TMP", folder.c_str());
}

ScopedLogFolder::~ScopedLogFolder()
{
    SetEnvironmentVariableW(L"TMP", had_value_ ? saved_.c_str() : nullptr);
}

} // namespace tessel_test
