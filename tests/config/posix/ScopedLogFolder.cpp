#include <cstdlib>

#include "config/ScopedLogFolder.h"
#include "platform/Utf16.h"

namespace tessel_test {

// The user's state folder holds the program's own folder.
const wchar_t* const ScopedLogFolder::kLogSubfolder = L"tessel/";

ScopedLogFolder::ScopedLogFolder(const std::wstring& folder)
{
    if (const char* value = std::getenv("XDG_STATE_HOME")) {
        had_value_ = true;
        saved_ = platform::WideFromUtf8(value);
    }
    setenv("XDG_STATE_HOME", platform::Utf8FromWide(folder).c_str(), 1);
}

ScopedLogFolder::~ScopedLogFolder()
{
    if (had_value_)
        setenv("XDG_STATE_HOME", platform::Utf8FromWide(saved_).c_str(), 1);
    else
        unsetenv("XDG_STATE_HOME");
}

} // namespace tessel_test
