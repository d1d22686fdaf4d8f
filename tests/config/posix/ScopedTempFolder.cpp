#include <cstdlib>

#include "config/ScopedTempFolder.h"
#include "platform/Utf16.h"

namespace tessel_test {

ScopedTempFolder::ScopedTempFolder(const std::wstring& folder)
{
    if (const char* value = std::getenv("TMPDIR")) {
        had_value_ = true;
        saved_ = platform::WideFromUtf8(value);
    }
    setenv("TMPDIR", platform::Utf8FromWide(folder).c_str(), 1);
}

ScopedTempFolder::~ScopedTempFolder()
{
    if (had_value_)
        setenv("TMPDIR", platform::Utf8FromWide(saved_).c_str(), 1);
    else
        unsetenv("TMPDIR");
}

} // namespace tessel_test
