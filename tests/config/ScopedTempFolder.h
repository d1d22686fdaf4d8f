#pragma once
#include <string>

namespace tessel_test {

// Points the system's temporary folder (as the program asks for it) at
// another folder while the guard lives.
class ScopedTempFolder {
public:
    explicit ScopedTempFolder(const std::wstring& folder);
    ~ScopedTempFolder();
    ScopedTempFolder(const ScopedTempFolder&) = delete;
    ScopedTempFolder& operator=(const ScopedTempFolder&) = delete;

private:
    std::wstring saved_;
    bool had_value_ = false;
};

} // namespace tessel_test
