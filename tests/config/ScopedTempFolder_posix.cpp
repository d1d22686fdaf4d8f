#include <cstdlib>

#include "ScopedTempFolder.h"
#include "weftcpplib/Utf16.h"

namespace tessel_test {

ScopedTempFolder::ScopedTempFolder(const std::wstring& folder)
{
    if (const char* value = std::getenv("TMPDIR")) {
        had_value_ = true;
        saved_ = weftcpplib::WideFromUtf8(value);
    }
    setenv("TMPDIR", weftcpplib::Utf8FromWide(folder).c_str(), 1);
}

ScopedTempFolder::~ScopedTempFolder()
{
    if (had_value_)
        setenv("TMPDIR", weftcpplib::Utf8FromWide(saved_).c_str(), 1);
    else
        unsetenv("TMPDIR");
}

} // namespace tessel_test
